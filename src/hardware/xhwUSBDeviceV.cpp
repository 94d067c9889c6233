#include "hardware/xhwUSBDeviceV.h"

int xhwClassifyUSBDevice(int vendorId, int productId)
{
    switch (vendorId) {
    case 0x04D8:
        return productId == 0x003C ? USB_KIND_BOOT : USB_KIND_NONE;
    case 0x3A7C:
        if (productId == 0x0010 || productId == 0x0020)
            return USB_KIND_COMMAND;
        if (productId == 0x0011 || productId == 0x0021)
            return USB_KIND_BOOT;
        if (productId >= 0x0101 && productId <= 0x010F)
            return USB_KIND_PACKET;
        return USB_KIND_NONE;
    case 0x2F1A:
        switch (productId) {
        case 0x0100:
        case 0x0118:
        case 0x0120:
        case 0x0128:
        case 0x0130:
            return USB_KIND_SERIAL;
        case 0x0301:
            return USB_KIND_PACKET;
        default:
            return productId >= 0x0400 && productId <= 0x040F ? USB_KIND_PACKET : USB_KIND_NONE;
        }
    default:
        return USB_KIND_NONE;
    }
}

bool CxhwUSBDeviceV::Classify(const CzxUSBDeviceVItem& item, int& kind)
{
    kind = xhwClassifyUSBDevice(item.m_vendorId, item.m_productId);
    if (kind == USB_KIND_NONE)
        return false;
    return kind == m_wanted || m_wanted == USB_KIND_ANY;
}

bool CxhwUSBDeviceV::Accept(const CzxUSBDeviceVItem& item)
{
    int kind = 0;
    return Classify(item, kind);
}

int CxhwUSBDeviceV::ScanKind(int kind, const CzxUSBDeviceV* known)
{
    m_wanted = kind;
    return Scan(known);
}

int CxhwUSBDeviceV::CountKind(int kind)
{
    int count = 0;
    for (int i = 0; i < GetCount(); ++i) {
        int found = 0;
        if (Classify(GetItem(i), found) && found == kind)
            ++count;
    }
    return count;
}

CzxUSBDeviceVItem* CxhwUSBDeviceV::GetKind(int kind, int n)
{
    for (int i = 0; i < GetCount(); ++i) {
        int found = 0;
        if (Classify(GetItem(i), found) && found == kind && n-- == 0)
            return &GetItem(i);
    }
    return nullptr;
}
