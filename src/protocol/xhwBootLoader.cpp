#include "protocol/xhwBootLoader.h"

#include "app/base/gumResCore.h"
#include "hardware/xhwBox.h"
#include "hardware/xhwBoxTypes.h"
#include "hardware/xhwLink.h"
#include "hardware/xhwUSBDeviceV.h"
#include "protocol/xhwSystemInstall.h"
#include "protocol/xutXLFlash.h"
#include "transport/zxTextFile.h"

#include <wx/log.h>

namespace {

constexpr int32_t kGenericVendor = 0x04D8;
constexpr int32_t kGenericProduct = 0x003C;
constexpr int32_t kKestilonBoot = 0x0011;
constexpr int32_t kTundrane2Boot = 0x0021;

int BootTypeOf(int32_t vendor, int32_t product)
{
    if ((vendor == kXLoggerVendor && product == kKestilonBoot)
        || (vendor == kGenericVendor && product == kGenericProduct))
        return BOX_TYPE_KESTILON_BOOT;
    if (vendor == kXLoggerVendor && product == kTundrane2Boot)
        return BOX_TYPE_TUNDRANE2_BOOT;
    return BOX_TYPE_NONE;
}

wxFileName FirmwareFile(int boxType)
{
    const bool tundrane = boxType == BOX_TYPE_TUNDRANE2 || boxType == BOX_TYPE_TUNDRANE2_BOOT;
    const wxString name = tundrane ? "Tundrane2" : "Kestilon";
    wxFileName path;
    if (const CgumResCore* res = gumGetResCore()) {
        res->GetResourceFile(path, wxString(), name, "hex");
    } else {
        path = wxFileName(CgumResCore::GetResourcesDir(), name, "hex");
        path.AppendDir("QuorvantiRes");
    }
    return path;
}

} // namespace

bool xhwBootLoaderOpen(CxhwBox& box, int port, const wxString&, CxhwUSBDeviceV* devices)
{
    xhwCloseLink(box);
    box.m_linkKind = port;
    box.m_commandLink = true;
    box.m_xlogger.SetLinkKind(port);
    CxutBoxInfo preset;
    preset.m_hardware = BOX_TYPE_KESTILON_BOOT;
    preset.m_firmware = 1.0f;
    preset.m_maxSensors = xutGetMaxSensors(BOX_TYPE_KESTILON_BOOT);
    box.m_info.Assign(preset);
    if (port == BOX_LINK_USB) {
        CxhwUSBDeviceV own;
        CxhwUSBDeviceV& list = devices ? *devices : own;
        if (list.CountBootLoaders() == 0)
            list.ScanBootLoaders();
        CzxUSBDeviceVItem* item = list.GetBootLoader(0);
        const int32_t vendor = item ? item->m_vendorId : 0;
        const int32_t product = item ? item->m_productId : 0;
        if (!item || !box.m_xlogger.AttachUSBDevice(std::move(item->m_itemDevice))) {
            list.CloseAll();
            xhwResetLink(box);
            return false;
        }
        list.CloseAll();
        box.m_bootVendor = vendor;
        box.m_bootProduct = product;
    }
    if (!box.m_xlogger.Open()) {
        xhwResetLink(box);
        return false;
    }
    return true;
}

bool xhwBootLoaderIdentify(CxhwBox& box, bool drain, bool slowDrain)
{
    CxutXLogger& link = box.m_xlogger;
    if (!link.IsConnected() && !link.Open()) {
        xhwCloseLink(box);
        return false;
    }
    if (drain)
        link.DrainInput(slowDrain);
    CxutXLFlash flash(box);
    const int type = BootTypeOf(box.m_bootVendor, box.m_bootProduct);
    if (type == BOX_TYPE_NONE || !flash.Query(1.0f)) {
        xhwCloseLink(box);
        return false;
    }
    CxutBoxInfo info;
    info.m_hardware = type;
    info.m_firmware = 1.0f;
    info.m_maxSensors = xutGetMaxSensors(type);
    info.m_bootstrapFlag = true;
    info.m_bootstrapFamily = type;
    info.m_bootstrapRevision = 0;
    info.m_comIsPortSlow = link.IsWireless();
    info.m_comIsPortUsb = link.IsUSBLink();
    box.m_info.Assign(info);
    return true;
}

bool xhwBootLoaderMonitor(CxhwBox& box, bool, wxString&, int&, int[6])
{
    if (!xhwBootLoaderIdentify(box, false, false))
        return false;
    CxutBoxRequest request;
    box.GetRequest(request);
    if (request.m_code == 3) {
        xhwStartSystemInstall(box);
        return false;
    }
    return true;
}

bool xhwBootLoaderInstallFirmware(CxhwBox& box)
{
    CxhwSystemImage& image = box.m_install;
    const int type = box.m_info.m_hardware;
    image.m_boxType = type;
    image.m_fileFamily = box.m_info.m_bootstrapFamily;
    image.m_fileRevision = box.m_info.m_bootstrapRevision;
    image.m_fileName = FirmwareFile(type);
    zxTextFile file;
    {
        wxLogNull quiet;
        if (!image.m_fileName.FileExists() || !file.Open(image.m_fileName.GetFullPath())) {
            image.m_result = SYSTEM_RESULT_FILE_MISSING;
            return false;
        }
    }
    if (file.GetLineCount() == 0) {
        image.m_result = SYSTEM_RESULT_FILE_CORRUPT;
        return false;
    }
    wxArrayString lines;
    for (size_t i = 0; i < file.GetLineCount(); ++i)
        lines.Add(file.GetLine(i));
    CxutXLFlash flash(box);
    const bool ok = flash.Flash(lines);
    image.m_result = flash.GetResult();
    xhwResetLink(box);
    return ok;
}
