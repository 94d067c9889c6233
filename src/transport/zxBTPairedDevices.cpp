#include "transport/zxBTPairedDevices.h"

#ifdef QV_HAVE_DBUS
#include <dbus/dbus.h>
#endif

namespace {

#ifdef QV_HAVE_DBUS
constexpr int kCallLimitMs = 2000;

struct CzxDeviceProperties
{
    wxString name;
    wxString alias;
    wxString address;
    bool paired = false;
};

// One property of a device: a name and a variant.
void ReadProperty(DBusMessageIter* entry, CzxDeviceProperties& device)
{
    if (dbus_message_iter_get_arg_type(entry) != DBUS_TYPE_STRING)
        return;
    const char* key = nullptr;
    dbus_message_iter_get_basic(entry, &key);
    if (!dbus_message_iter_next(entry) || dbus_message_iter_get_arg_type(entry) != DBUS_TYPE_VARIANT)
        return;
    DBusMessageIter value;
    dbus_message_iter_recurse(entry, &value);
    const int type = dbus_message_iter_get_arg_type(&value);
    const wxString name = wxString::FromUTF8(key);
    if (type == DBUS_TYPE_STRING) {
        const char* text = nullptr;
        dbus_message_iter_get_basic(&value, &text);
        const wxString s = wxString::FromUTF8(text);
        if (name == "Address")
            device.address = s;
        else if (name == "Name")
            device.name = s;
        else if (name == "Alias")
            device.alias = s;
    } else if (type == DBUS_TYPE_BOOLEAN && name == "Paired") {
        dbus_bool_t paired = FALSE;
        dbus_message_iter_get_basic(&value, &paired);
        device.paired = paired;
    }
}

// The interfaces of one object: a{sa{sv}}; a paired device is added.
void ReadObject(DBusMessageIter* interfaces, std::vector<CzxBTPairedDevice>& out)
{
    if (dbus_message_iter_get_arg_type(interfaces) != DBUS_TYPE_ARRAY)
        return;
    DBusMessageIter each;
    dbus_message_iter_recurse(interfaces, &each);
    for (; dbus_message_iter_get_arg_type(&each) == DBUS_TYPE_DICT_ENTRY; dbus_message_iter_next(&each)) {
        DBusMessageIter entry;
        dbus_message_iter_recurse(&each, &entry);
        if (dbus_message_iter_get_arg_type(&entry) != DBUS_TYPE_STRING)
            continue;
        const char* interface = nullptr;
        dbus_message_iter_get_basic(&entry, &interface);
        if (wxString::FromUTF8(interface) != "org.bluez.Device1" || !dbus_message_iter_next(&entry) ||
            dbus_message_iter_get_arg_type(&entry) != DBUS_TYPE_ARRAY)
            continue;
        CzxDeviceProperties device;
        DBusMessageIter properties;
        dbus_message_iter_recurse(&entry, &properties);
        for (; dbus_message_iter_get_arg_type(&properties) == DBUS_TYPE_DICT_ENTRY;
             dbus_message_iter_next(&properties)) {
            DBusMessageIter property;
            dbus_message_iter_recurse(&properties, &property);
            ReadProperty(&property, device);
        }
        if (!device.paired || device.address.empty())
            continue;
        CzxBTPairedDevice paired;
        paired.m_address = zxBTAddressFromBluez(device.address);
        paired.m_name = !device.alias.empty() ? device.alias : !device.name.empty() ? device.name : paired.m_address;
        out.push_back(paired);
    }
}
#endif

} // namespace

wxString zxBTAddressFromBluez(const wxString& text)
{
    wxString out = text.Lower();
    out.Replace(":", "-");
    return out;
}

bool zxBTListPairedDevices(std::vector<CzxBTPairedDevice>& out)
{
    out.clear();
#ifdef QV_HAVE_DBUS
    DBusError error;
    dbus_error_init(&error);
    DBusConnection* bus = dbus_bus_get_private(DBUS_BUS_SYSTEM, &error);
    if (!bus) {
        dbus_error_free(&error);
        return false;
    }
    dbus_connection_set_exit_on_disconnect(bus, FALSE);
    DBusMessage* call =
        dbus_message_new_method_call("org.bluez", "/", "org.freedesktop.DBus.ObjectManager", "GetManagedObjects");
    DBusMessage* reply = call ? dbus_connection_send_with_reply_and_block(bus, call, kCallLimitMs, &error) : nullptr;
    bool listed = false;
    DBusMessageIter top;
    if (reply && dbus_message_iter_init(reply, &top) && dbus_message_iter_get_arg_type(&top) == DBUS_TYPE_ARRAY) {
        listed = true;
        DBusMessageIter objects;
        dbus_message_iter_recurse(&top, &objects);
        for (; dbus_message_iter_get_arg_type(&objects) == DBUS_TYPE_DICT_ENTRY; dbus_message_iter_next(&objects)) {
            DBusMessageIter object;
            dbus_message_iter_recurse(&objects, &object);
            if (dbus_message_iter_get_arg_type(&object) == DBUS_TYPE_OBJECT_PATH && dbus_message_iter_next(&object))
                ReadObject(&object, out);
        }
    }
    if (reply)
        dbus_message_unref(reply);
    if (call)
        dbus_message_unref(call);
    dbus_error_free(&error);
    dbus_connection_close(bus);
    dbus_connection_unref(bus);
    return listed;
#else
    return false;
#endif
}
