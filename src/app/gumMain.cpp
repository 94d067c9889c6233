#include "app/gumApp.h"

wxAppConsole* wxCreateApp();

int main(int argc, char** argv)
{
    // Naming the factory also links the application object from its library.
    wxApp::SetInitializerFunction(wxCreateApp);
    return wxEntry(argc, argv);
}
