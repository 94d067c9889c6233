#include "document/docThing.h"
#include "views/guvThing.h"
#include <wx/window.h>
