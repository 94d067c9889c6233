// Feeds arbitrary bytes to the data file reader, as Open does after reading
// the file into memory, and saves whatever was read again.
#include "app/appOptions.h"
#include "app/base/gumResCore.h"
#include "document/docDoc.h"
#include "files/gumFile.h"
#include "transport/zxMessageBox.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <wx/init.h>
#include <wx/mstream.h>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    static wxInitializer init;
    zxSetBoxPresenter([](const CzxBoxCall&) { return 0; });
    static CgumResCore res;
    res.m_strings.assign(CgumResCore::kStringCount, wxString());
    res.m_strings[841] = "time";
    static CappOptions options;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    auto doc = std::make_unique<CdocDoc>();
    CgumFile file;
    if (file.ReadBytes(reinterpret_cast<const char*>(data), size, *doc)) {
        wxMemoryOutputStream memory;
        CgumFile writer;
        writer.WriteStream(memory, *doc, DOC_FORMAT_OWN);
        writer.WriteStream(memory, *doc, DOC_FORMAT_CSV);
    }
    return 0;
}
