#include "transport/zxBluezBtle.h"

#include <chrono>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <wx/utils.h>

#ifdef QV_HAVE_GIO
#include <gio/gio.h>
#endif

namespace {

// The identifier of a device is a UUID made from its address, so that the
// lists keep one form whatever the system.
const char kIdentifierPrefix[] = "00000000-0000-1000-8000-";

} // namespace

wxString CzxBluezBtle::IdentifierOfAddress(const wxString& address)
{
    wxString digits;
    for (size_t i = 0; i < address.length(); ++i) {
        const wxUniChar c = address[i];
        if (i % 3 == 2) {
            if (c != ':')
                return wxString();
            continue;
        }
        if (!wxIsxdigit(c))
            return wxString();
        digits += c;
    }
    if (address.length() != 17 || digits.length() != 12)
        return wxString();
    return (wxString(kIdentifierPrefix) + digits).Upper();
}

wxString CzxBluezBtle::AddressOfIdentifier(const wxString& identifier)
{
    const wxString upper = identifier.Upper();
    if (!upper.StartsWith(wxString(kIdentifierPrefix).Upper()) || upper.length() != 36)
        return wxString();
    const wxString digits = upper.Mid(24);
    wxString address;
    for (size_t i = 0; i < 12; ++i) {
        if (!wxIsxdigit(digits[i]))
            return wxString();
        if (i > 0 && i % 2 == 0)
            address += ':';
        address += digits[i];
    }
    return address;
}

#ifdef QV_HAVE_GIO

namespace {

const char kBluez[] = "org.bluez";
const char kAdapterInterface[] = "org.bluez.Adapter1";
const char kDeviceInterface[] = "org.bluez.Device1";
const char kServiceInterface[] = "org.bluez.GattService1";
const char kCharacteristicInterface[] = "org.bluez.GattCharacteristic1";
// Calls that the device may take long to answer (a connection) and the rest.
constexpr int kConnectLimitMs = 30000;
constexpr int kCallLimitMs = 5000;
// How long the platform waits at its start for the bus's first answer.
constexpr int kStartLimitMs = 3000;

struct Device
{
    wxString address;
    wxString name;
    bool connected = false;
    bool connecting = false;
    bool servicesResolved = false;
    std::vector<wxString> uuids;
};

struct Service
{
    wxString uuid;
    std::string device;
};

struct Characteristic
{
    wxString uuid;
    std::string service;
    bool notifying = false;
};

wxString ToText(GVariant* value)
{
    return value ? wxString::FromUTF8(g_variant_get_string(value, nullptr)) : wxString();
}

// A property of a{sv}, of the type given; none when absent or of another type.
GVariant* Lookup(GVariant* properties, const char* name, const GVariantType* type)
{
    return properties ? g_variant_lookup_value(properties, name, type) : nullptr;
}

bool LookupBool(GVariant* properties, const char* name, bool& out)
{
    GVariant* value = Lookup(properties, name, G_VARIANT_TYPE_BOOLEAN);
    if (!value)
        return false;
    out = g_variant_get_boolean(value);
    g_variant_unref(value);
    return true;
}

bool LookupText(GVariant* properties, const char* name, const GVariantType* type, wxString& out)
{
    GVariant* value = Lookup(properties, name, type);
    if (!value)
        return false;
    out = ToText(value);
    g_variant_unref(value);
    return true;
}

bool LookupUuids(GVariant* properties, std::vector<wxString>& out)
{
    GVariant* value = Lookup(properties, "UUIDs", G_VARIANT_TYPE_STRING_ARRAY);
    if (!value)
        return false;
    out.clear();
    const gsize count = g_variant_n_children(value);
    for (gsize i = 0; i < count; ++i) {
        GVariant* one = g_variant_get_child_value(value, i);
        out.push_back(ToText(one).Lower());
        g_variant_unref(one);
    }
    g_variant_unref(value);
    return true;
}

bool Offers(const Device& device, const wxString& service)
{
    for (const wxString& uuid : device.uuids)
        if (uuid.IsSameAs(service, false))
            return true;
    return false;
}

wxString ErrorText(GError* error)
{
    return error ? wxString::FromUTF8(error->message) : wxString();
}

} // namespace

// The bus side: a GLib main context on a thread of its own. The cache of
// BlueZ's objects is behind the lock; reports go out without it held.
class CzxBluezBtle::Bus
{
public:
    explicit Bus(CzxBluezBtle& owner) : m_owner(owner)
    {
        m_context = g_main_context_new();
        m_loop = g_main_loop_new(m_context, FALSE);
        m_thread = std::thread([this] { Run(); });
        // Bounded: a bus that never answers leaves the adapter unsupported.
        for (int waited = 0; waited < kStartLimitMs && !IsReady(); waited += 5)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }

    ~Bus()
    {
        Invoke([this] { g_main_loop_quit(m_loop); });
        m_thread.join();
        g_main_loop_unref(m_loop);
        g_main_context_unref(m_context);
    }

    // Runs the task on the bus's thread, later, never inside the caller.
    void Invoke(std::function<void()> task)
    {
        {
            std::lock_guard<std::mutex> lock(m_taskLock);
            m_tasks.push_back(std::move(task));
        }
        GSource* source = g_idle_source_new();
        g_source_set_callback(
            source,
            [](gpointer data) -> gboolean {
                static_cast<Bus*>(data)->RunTasks();
                return G_SOURCE_REMOVE;
            },
            this, nullptr);
        g_source_attach(source, m_context);
        g_source_unref(source);
    }

    bool IsReady() const
    {
        std::lock_guard<std::mutex> lock(m_lock);
        return m_ready;
    }

    int GetState() const
    {
        std::lock_guard<std::mutex> lock(m_lock);
        if (!m_ready)
            return BTLE_STATE_UNKNOWN;
        if (m_adapter.empty())
            return BTLE_STATE_UNSUPPORTED;
        return m_powered ? BTLE_STATE_POWERED_ON : BTLE_STATE_POWERED_OFF;
    }

    bool StartScan(const wxString& service)
    {
        std::string adapter;
        {
            std::lock_guard<std::mutex> lock(m_lock);
            if (m_adapter.empty() || !m_powered)
                return false;
            adapter = m_adapter;
            m_scanning = true;
            m_scanService = service.Lower();
            m_reported.clear();
        }
        Invoke([this, adapter, service] {
            GVariantBuilder filter;
            g_variant_builder_init(&filter, G_VARIANT_TYPE("a{sv}"));
            const std::string uuid(service.Lower().utf8_str());
            const char* uuids[] = {uuid.c_str(), nullptr};
            g_variant_builder_add(&filter, "{sv}", "UUIDs", g_variant_new_strv(uuids, 1));
            g_variant_builder_add(&filter, "{sv}", "Transport", g_variant_new_string("le"));
            Call(adapter, kAdapterInterface, "SetDiscoveryFilter", g_variant_new("(a{sv})", &filter), kCallLimitMs,
                 nullptr);
            Call(adapter, kAdapterInterface, "StartDiscovery", nullptr, kCallLimitMs, nullptr);
            // Those already heard of are reported as a scan would.
            std::vector<CzxBtlePeripheral> found;
            {
                std::lock_guard<std::mutex> lock(m_lock);
                for (const auto& each : m_devices)
                    if (ShouldReport(each.first, each.second))
                        found.push_back(Peripheral(each.second));
            }
            for (const CzxBtlePeripheral& peripheral : found)
                Report([&](CzxBtleDelegate& d) { d.OnDiscovered(peripheral); });
        });
        return true;
    }

    void StopScan()
    {
        std::string adapter;
        {
            std::lock_guard<std::mutex> lock(m_lock);
            if (!m_scanning)
                return;
            m_scanning = false;
            adapter = m_adapter;
        }
        if (!adapter.empty())
            Invoke([this, adapter] { Call(adapter, kAdapterInterface, "StopDiscovery", nullptr, kCallLimitMs, nullptr); });
    }

    bool IsScanning() const
    {
        std::lock_guard<std::mutex> lock(m_lock);
        return m_scanning;
    }

    bool Retrieve(const wxString& identifier, CzxBtlePeripheral& out) const
    {
        std::lock_guard<std::mutex> lock(m_lock);
        const Device* device = FindDevice(identifier);
        if (!device)
            return false;
        out = Peripheral(*device);
        return true;
    }

    std::vector<CzxBtlePeripheral> RetrieveConnected(const wxString& service) const
    {
        std::lock_guard<std::mutex> lock(m_lock);
        std::vector<CzxBtlePeripheral> connected;
        for (const auto& each : m_devices)
            if (each.second.connected && Offers(each.second, service))
                connected.push_back(Peripheral(each.second));
        return connected;
    }

    void Connect(const wxString& identifier)
    {
        std::string path;
        {
            std::lock_guard<std::mutex> lock(m_lock);
            path = DevicePath(identifier);
            if (path.empty())
                return;
            m_devices[path].connecting = true;
        }
        Invoke([this, path, identifier] {
            Call(path, kDeviceInterface, "Connect", nullptr, kConnectLimitMs, [this, path, identifier](GError* error) {
                bool already = false;
                if (error && g_dbus_error_is_remote_error(error)) {
                    gchar* remote = g_dbus_error_get_remote_error(error);
                    already = remote && std::string(remote) == "org.bluez.Error.AlreadyConnected";
                    g_free(remote);
                }
                {
                    std::lock_guard<std::mutex> lock(m_lock);
                    auto found = m_devices.find(path);
                    if (found != m_devices.end()) {
                        found->second.connecting = false;
                        if (!error || already)
                            found->second.connected = true;
                    }
                }
                if (error && !already) {
                    const wxString text = ErrorText(error);
                    Report([&](CzxBtleDelegate& d) { d.OnFailedToConnect(identifier, text); });
                } else {
                    Report([&](CzxBtleDelegate& d) { d.OnConnected(identifier); });
                }
            });
        });
    }

    void Disconnect(const wxString& identifier)
    {
        std::string path;
        {
            std::lock_guard<std::mutex> lock(m_lock);
            path = DevicePath(identifier);
        }
        if (!path.empty())
            Invoke([this, path] { Call(path, kDeviceInterface, "Disconnect", nullptr, kCallLimitMs, nullptr); });
    }

    int GetPeripheralState(const wxString& identifier) const
    {
        std::lock_guard<std::mutex> lock(m_lock);
        const Device* device = FindDevice(identifier);
        if (!device)
            return BTLE_PERIPHERAL_DISCONNECTED;
        if (device->connected)
            return BTLE_PERIPHERAL_CONNECTED;
        return device->connecting ? BTLE_PERIPHERAL_CONNECTING : BTLE_PERIPHERAL_DISCONNECTED;
    }

    void DiscoverServices(const wxString& identifier)
    {
        Invoke([this, identifier] {
            std::string path;
            {
                std::lock_guard<std::mutex> lock(m_lock);
                path = DevicePath(identifier);
                if (path.empty())
                    return;
                // BlueZ resolves the services itself; they are told once resolved.
                if (!m_devices[path].servicesResolved) {
                    m_awaitingServices.insert(path);
                    return;
                }
            }
            ReportServices(path);
        });
    }

    void DiscoverCharacteristics(const wxString& identifier, const wxString& service,
                                 const std::vector<wxString>& wanted)
    {
        Invoke([this, identifier, service, wanted] {
            std::vector<wxString> found;
            {
                std::lock_guard<std::mutex> lock(m_lock);
                const std::string device = DevicePath(identifier);
                for (const auto& each : m_characteristics) {
                    const auto owner = m_services.find(each.second.service);
                    if (owner == m_services.end() || owner->second.device != device ||
                        !owner->second.uuid.IsSameAs(service, false))
                        continue;
                    for (const wxString& uuid : wanted)
                        if (uuid.IsSameAs(each.second.uuid, false))
                            found.push_back(each.second.uuid);
                }
            }
            const wxString lower = service.Lower();
            Report([&](CzxBtleDelegate& d) { d.OnCharacteristicsDiscovered(identifier, lower, found); });
        });
    }

    void SetNotify(const wxString& identifier, const wxString& characteristic, bool on)
    {
        Invoke([this, identifier, characteristic, on] {
            const std::string path = CharacteristicPath(identifier, characteristic);
            if (path.empty())
                return;
            Call(path, kCharacteristicInterface, on ? "StartNotify" : "StopNotify", nullptr, kCallLimitMs,
                 [this, path, identifier, characteristic, on](GError* error) {
                     if (!error) {
                         std::lock_guard<std::mutex> lock(m_lock);
                         auto found = m_characteristics.find(path);
                         if (found != m_characteristics.end())
                             found->second.notifying = on;
                     }
                     const wxString text = ErrorText(error);
                     const wxString lower = characteristic.Lower();
                     Report([&](CzxBtleDelegate& d) { d.OnNotifyStateChanged(identifier, lower, text); });
                 });
        });
    }

    bool IsNotifying(const wxString& identifier, const wxString& characteristic) const
    {
        std::lock_guard<std::mutex> lock(m_lock);
        const std::string path = CharacteristicPathLocked(identifier, characteristic);
        const auto found = m_characteristics.find(path);
        return found != m_characteristics.end() && found->second.notifying;
    }

    void WriteValue(const wxString& identifier, const wxString& characteristic, const uint8_t* bytes, size_t n,
                    bool withResponse)
    {
        const std::vector<uint8_t> value(bytes, bytes + n);
        Invoke([this, identifier, characteristic, value, withResponse] {
            const std::string path = CharacteristicPath(identifier, characteristic);
            if (path.empty())
                return;
            GVariantBuilder options;
            g_variant_builder_init(&options, G_VARIANT_TYPE("a{sv}"));
            g_variant_builder_add(&options, "{sv}", "type", g_variant_new_string(withResponse ? "request" : "command"));
            GVariant* data = g_variant_new_fixed_array(G_VARIANT_TYPE_BYTE, value.data(), value.size(), 1);
            Call(path, kCharacteristicInterface, "WriteValue", g_variant_new("(@aya{sv})", data, &options),
                 kCallLimitMs, [this, identifier, characteristic, withResponse](GError* error) {
                     // Writes without response report only their failures.
                     if (!withResponse && !error)
                         return;
                     const wxString text = ErrorText(error);
                     const wxString lower = characteristic.Lower();
                     Report([&](CzxBtleDelegate& d) { d.OnWrote(identifier, lower, text); });
                 });
        });
    }

    void ReadValue(const wxString& identifier, const wxString& characteristic)
    {
        Invoke([this, identifier, characteristic] {
            const std::string path = CharacteristicPath(identifier, characteristic);
            if (path.empty())
                return;
            GVariantBuilder options;
            g_variant_builder_init(&options, G_VARIANT_TYPE("a{sv}"));
            CallWithReply(path, kCharacteristicInterface, "ReadValue", g_variant_new("(a{sv})", &options),
                          [this, identifier, characteristic](GVariant* reply, GError* error) {
                              std::vector<uint8_t> value;
                              if (reply) {
                                  GVariant* bytes = g_variant_get_child_value(reply, 0);
                                  gsize n = 0;
                                  const auto* data =
                                      static_cast<const uint8_t*>(g_variant_get_fixed_array(bytes, &n, 1));
                                  value.assign(data, data + n);
                                  g_variant_unref(bytes);
                              }
                              const wxString text = ErrorText(error);
                              const wxString lower = characteristic.Lower();
                              Report([&](CzxBtleDelegate& d) {
                                  d.OnValue(identifier, lower, value.data(), value.size(), text);
                              });
                          });
        });
    }

private:
    using Done = std::function<void(GError*)>;
    using Replied = std::function<void(GVariant*, GError*)>;

    void Run()
    {
        g_main_context_push_thread_default(m_context);
        GError* error = nullptr;
        wxString address;
        if (wxGetEnv("QUORVANTI_BLUEZ_BUS", &address) && !address.empty())
            m_bus = g_dbus_connection_new_for_address_sync(
                address.utf8_str(),
                GDBusConnectionFlags(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                                     G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
                nullptr, nullptr, &error);
        else
            m_bus = g_bus_get_sync(G_BUS_TYPE_SYSTEM, nullptr, &error);
        if (error)
            g_error_free(error);
        if (m_bus) {
            g_dbus_connection_set_exit_on_close(m_bus, FALSE);
            m_signals.push_back(g_dbus_connection_signal_subscribe(
                m_bus, kBluez, "org.freedesktop.DBus.ObjectManager", nullptr, nullptr, nullptr,
                G_DBUS_SIGNAL_FLAGS_NONE, &Bus::OnSignal, this, nullptr));
            m_signals.push_back(g_dbus_connection_signal_subscribe(
                m_bus, kBluez, "org.freedesktop.DBus.Properties", "PropertiesChanged", nullptr, nullptr,
                G_DBUS_SIGNAL_FLAGS_NONE, &Bus::OnSignal, this, nullptr));
            m_watch = g_bus_watch_name_on_connection(m_bus, kBluez, G_BUS_NAME_WATCHER_FLAGS_NONE, &Bus::OnAppeared,
                                                     &Bus::OnVanished, this, nullptr);
        } else {
            SetReady();
        }
        g_main_loop_run(m_loop);
        if (m_bus) {
            g_bus_unwatch_name(m_watch);
            for (guint id : m_signals)
                g_dbus_connection_signal_unsubscribe(m_bus, id);
            g_object_unref(m_bus);
        }
        // Sources still queued (replies, tasks) are dropped with the context.
        while (g_main_context_iteration(m_context, FALSE)) {
        }
        g_main_context_pop_thread_default(m_context);
    }

    // The tasks pass through a lock of our own, so that the hand-over
    // between threads is plain to see.
    void RunTasks()
    {
        for (;;) {
            std::function<void()> task;
            {
                std::lock_guard<std::mutex> lock(m_taskLock);
                if (m_tasks.empty())
                    return;
                task = std::move(m_tasks.front());
                m_tasks.pop_front();
            }
            task();
        }
    }

    void SetReady()
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_ready = true;
    }

    template <typename F> void Report(F&& call)
    {
        if (CzxBtleDelegate* delegate = m_owner.GetDelegate())
            call(*delegate);
    }

    struct Pending
    {
        Bus* bus;
        Replied replied;
    };

    void CallWithReply(const std::string& path, const char* interface, const char* method, GVariant* parameters,
                       Replied replied, int limitMs = kCallLimitMs)
    {
        if (!m_bus) {
            if (parameters)
                g_variant_unref(g_variant_ref_sink(parameters));
            return;
        }
        auto* pending = new Pending{this, std::move(replied)};
        g_dbus_connection_call(
            m_bus, kBluez, path.c_str(), interface, method, parameters, nullptr, G_DBUS_CALL_FLAGS_NONE, limitMs,
            nullptr,
            [](GObject* source, GAsyncResult* result, gpointer data) {
                std::unique_ptr<Pending> pending(static_cast<Pending*>(data));
                GError* error = nullptr;
                GVariant* reply = g_dbus_connection_call_finish(G_DBUS_CONNECTION(source), result, &error);
                if (pending->replied)
                    pending->replied(reply, error);
                if (reply)
                    g_variant_unref(reply);
                if (error)
                    g_error_free(error);
            },
            pending);
    }

    void Call(const std::string& path, const char* interface, const char* method, GVariant* parameters, int limitMs,
              Done done)
    {
        CallWithReply(
            path, interface, method, parameters,
            [done](GVariant*, GError* error) {
                if (done)
                    done(error);
            },
            limitMs);
    }

    static void OnAppeared(GDBusConnection*, const gchar*, const gchar*, gpointer data)
    {
        auto* bus = static_cast<Bus*>(data);
        bus->CallWithReply("/", "org.freedesktop.DBus.ObjectManager", "GetManagedObjects", nullptr,
                           [bus](GVariant* reply, GError*) {
                               if (reply) {
                                   GVariant* objects = g_variant_get_child_value(reply, 0);
                                   GVariantIter iter;
                                   g_variant_iter_init(&iter, objects);
                                   const gchar* path = nullptr;
                                   GVariant* interfaces = nullptr;
                                   while (g_variant_iter_next(&iter, "{&o@a{sa{sv}}}", &path, &interfaces)) {
                                       bus->AddInterfaces(path, interfaces);
                                       g_variant_unref(interfaces);
                                   }
                                   g_variant_unref(objects);
                               }
                               bus->SetReady();
                           });
    }

    static void OnVanished(GDBusConnection*, const gchar*, gpointer data)
    {
        auto* bus = static_cast<Bus*>(data);
        {
            std::lock_guard<std::mutex> lock(bus->m_lock);
            bus->m_adapter.clear();
            bus->m_powered = false;
            bus->m_scanning = false;
            bus->m_devices.clear();
            bus->m_services.clear();
            bus->m_characteristics.clear();
            bus->m_awaitingServices.clear();
        }
        bus->SetReady();
    }

    static void OnSignal(GDBusConnection*, const gchar*, const gchar* path, const gchar* interface,
                         const gchar* signal, GVariant* parameters, gpointer data)
    {
        auto* bus = static_cast<Bus*>(data);
        const std::string name(signal);
        if (name == "InterfacesAdded" && g_variant_is_of_type(parameters, G_VARIANT_TYPE("(oa{sa{sv}})"))) {
            const gchar* object = nullptr;
            GVariant* interfaces = nullptr;
            g_variant_get(parameters, "(&o@a{sa{sv}})", &object, &interfaces);
            bus->AddInterfaces(object, interfaces);
            g_variant_unref(interfaces);
        } else if (name == "InterfacesRemoved" && g_variant_is_of_type(parameters, G_VARIANT_TYPE("(oas)"))) {
            const gchar* object = nullptr;
            g_variant_get(parameters, "(&oas)", &object, nullptr);
            bus->RemoveObject(object);
        } else if (name == "PropertiesChanged" && g_variant_is_of_type(parameters, G_VARIANT_TYPE("(sa{sv}as)"))) {
            const gchar* changedInterface = nullptr;
            GVariant* changed = nullptr;
            g_variant_get(parameters, "(&s@a{sv}as)", &changedInterface, &changed, nullptr);
            bus->ChangeProperties(path, changedInterface, changed);
            g_variant_unref(changed);
        }
        (void)interface;
    }

    void AddInterfaces(const std::string& path, GVariant* interfaces)
    {
        GVariantIter iter;
        g_variant_iter_init(&iter, interfaces);
        const gchar* interface = nullptr;
        GVariant* properties = nullptr;
        while (g_variant_iter_next(&iter, "{&s@a{sv}}", &interface, &properties)) {
            const std::string name(interface);
            if (name == kAdapterInterface) {
                std::lock_guard<std::mutex> lock(m_lock);
                if (m_adapter.empty() || m_adapter == path) {
                    m_adapter = path;
                    LookupBool(properties, "Powered", m_powered);
                }
            } else if (name == kDeviceInterface) {
                AddDevice(path, properties);
            } else if (name == kServiceInterface) {
                std::lock_guard<std::mutex> lock(m_lock);
                Service& service = m_services[path];
                LookupText(properties, "UUID", G_VARIANT_TYPE_STRING, service.uuid);
                service.uuid.MakeLower();
                wxString device;
                LookupText(properties, "Device", G_VARIANT_TYPE_OBJECT_PATH, device);
                service.device = std::string(device.utf8_str());
            } else if (name == kCharacteristicInterface) {
                std::lock_guard<std::mutex> lock(m_lock);
                Characteristic& characteristic = m_characteristics[path];
                LookupText(properties, "UUID", G_VARIANT_TYPE_STRING, characteristic.uuid);
                characteristic.uuid.MakeLower();
                wxString service;
                LookupText(properties, "Service", G_VARIANT_TYPE_OBJECT_PATH, service);
                characteristic.service = std::string(service.utf8_str());
                LookupBool(properties, "Notifying", characteristic.notifying);
            }
            g_variant_unref(properties);
        }
    }

    void AddDevice(const std::string& path, GVariant* properties)
    {
        CzxBtlePeripheral discovered;
        bool report = false;
        {
            std::lock_guard<std::mutex> lock(m_lock);
            Device& device = m_devices[path];
            LookupText(properties, "Address", G_VARIANT_TYPE_STRING, device.address);
            LookupText(properties, "Name", G_VARIANT_TYPE_STRING, device.name);
            LookupBool(properties, "Connected", device.connected);
            LookupBool(properties, "ServicesResolved", device.servicesResolved);
            LookupUuids(properties, device.uuids);
            report = ShouldReport(path, device);
            discovered = Peripheral(device);
        }
        if (report && !discovered.identifier.empty())
            Report([&](CzxBtleDelegate& d) { d.OnDiscovered(discovered); });
    }

    void RemoveObject(const std::string& path)
    {
        std::lock_guard<std::mutex> lock(m_lock);
        if (path == m_adapter) {
            m_adapter.clear();
            m_powered = false;
            m_scanning = false;
        }
        m_devices.erase(path);
        m_services.erase(path);
        m_characteristics.erase(path);
        m_awaitingServices.erase(path);
    }

    void ChangeProperties(const std::string& path, const std::string& interface, GVariant* changed)
    {
        if (interface == kAdapterInterface) {
            std::lock_guard<std::mutex> lock(m_lock);
            if (path == m_adapter && LookupBool(changed, "Powered", m_powered) && !m_powered)
                m_scanning = false;
        } else if (interface == kDeviceInterface) {
            ChangeDevice(path, changed);
        } else if (interface == kCharacteristicInterface) {
            ChangeCharacteristic(path, changed);
        }
    }

    void ChangeDevice(const std::string& path, GVariant* changed)
    {
        bool servicesNow = false, report = false;
        CzxBtlePeripheral peripheral;
        {
            std::lock_guard<std::mutex> lock(m_lock);
            auto found = m_devices.find(path);
            if (found == m_devices.end())
                return;
            Device& device = found->second;
            LookupText(changed, "Name", G_VARIANT_TYPE_STRING, device.name);
            LookupUuids(changed, device.uuids);
            if (LookupBool(changed, "Connected", device.connected) && !device.connected) {
                device.servicesResolved = false;
                for (auto& each : m_characteristics) {
                    const auto owner = m_services.find(each.second.service);
                    if (owner != m_services.end() && owner->second.device == path)
                        each.second.notifying = false;
                }
            }
            bool resolved = false;
            if (LookupBool(changed, "ServicesResolved", resolved)) {
                device.servicesResolved = resolved;
                servicesNow = resolved && m_awaitingServices.erase(path) > 0;
            }
            report = ShouldReport(path, device);
            peripheral = Peripheral(device);
        }
        if (report && !peripheral.identifier.empty())
            Report([&](CzxBtleDelegate& d) { d.OnDiscovered(peripheral); });
        if (servicesNow)
            ReportServices(path);
    }

    void ChangeCharacteristic(const std::string& path, GVariant* changed)
    {
        wxString identifier, uuid;
        std::vector<uint8_t> value;
        bool hasValue = false;
        {
            std::lock_guard<std::mutex> lock(m_lock);
            auto found = m_characteristics.find(path);
            if (found == m_characteristics.end())
                return;
            LookupBool(changed, "Notifying", found->second.notifying);
            if (GVariant* bytes = Lookup(changed, "Value", G_VARIANT_TYPE_BYTESTRING)) {
                gsize n = 0;
                const auto* data = static_cast<const uint8_t*>(g_variant_get_fixed_array(bytes, &n, 1));
                value.assign(data, data + n);
                g_variant_unref(bytes);
                hasValue = true;
            }
            uuid = found->second.uuid;
            const auto service = m_services.find(found->second.service);
            if (service != m_services.end()) {
                const auto device = m_devices.find(service->second.device);
                if (device != m_devices.end())
                    identifier = IdentifierOfAddress(device->second.address);
            }
        }
        if (hasValue && !identifier.empty())
            Report([&](CzxBtleDelegate& d) { d.OnValue(identifier, uuid, value.data(), value.size(), wxString()); });
    }

    void ReportServices(const std::string& path)
    {
        wxString identifier;
        std::vector<wxString> services;
        {
            std::lock_guard<std::mutex> lock(m_lock);
            const auto device = m_devices.find(path);
            if (device == m_devices.end())
                return;
            identifier = IdentifierOfAddress(device->second.address);
            for (const auto& each : m_services)
                if (each.second.device == path)
                    services.push_back(each.second.uuid);
        }
        Report([&](CzxBtleDelegate& d) { d.OnServicesDiscovered(identifier, services); });
    }

    // Under the lock. A scan reports a logger once, and again when its name
    // comes or changes, not at every advertisement.
    bool ShouldReport(const std::string& path, const Device& device)
    {
        if (!m_scanning || !Offers(device, m_scanService) || IdentifierOfAddress(device.address).empty())
            return false;
        const auto reported = m_reported.find(path);
        if (reported != m_reported.end() && reported->second == device.name)
            return false;
        m_reported[path] = device.name;
        return true;
    }

    // Under the lock.
    static CzxBtlePeripheral Peripheral(const Device& device)
    {
        return {IdentifierOfAddress(device.address), device.name};
    }

    std::string DevicePath(const wxString& identifier) const
    {
        const wxString address = AddressOfIdentifier(identifier);
        for (const auto& each : m_devices)
            if (!address.empty() && each.second.address.IsSameAs(address, false))
                return each.first;
        return std::string();
    }

    const Device* FindDevice(const wxString& identifier) const
    {
        const auto found = m_devices.find(DevicePath(identifier));
        return found == m_devices.end() ? nullptr : &found->second;
    }

    std::string CharacteristicPathLocked(const wxString& identifier, const wxString& characteristic) const
    {
        const std::string device = DevicePath(identifier);
        for (const auto& each : m_characteristics) {
            const auto owner = m_services.find(each.second.service);
            if (owner != m_services.end() && owner->second.device == device &&
                each.second.uuid.IsSameAs(characteristic, false))
                return each.first;
        }
        return std::string();
    }

    std::string CharacteristicPath(const wxString& identifier, const wxString& characteristic) const
    {
        std::lock_guard<std::mutex> lock(m_lock);
        return CharacteristicPathLocked(identifier, characteristic);
    }

    CzxBluezBtle& m_owner;
    GMainContext* m_context = nullptr;
    GMainLoop* m_loop = nullptr;
    // Only on the bus's thread.
    GDBusConnection* m_bus = nullptr;
    std::vector<guint> m_signals;
    guint m_watch = 0;
    std::thread m_thread;
    std::mutex m_taskLock;
    std::deque<std::function<void()>> m_tasks;

    mutable std::mutex m_lock;
    bool m_ready = false;
    std::string m_adapter;
    bool m_powered = false;
    bool m_scanning = false;
    wxString m_scanService;
    std::map<std::string, Device> m_devices;
    std::map<std::string, Service> m_services;
    std::map<std::string, Characteristic> m_characteristics;
    std::set<std::string> m_awaitingServices;
    // The loggers this scan has reported, with the name reported.
    std::map<std::string, wxString> m_reported;
};

CzxBluezBtle::CzxBluezBtle() : m_bus(std::make_unique<Bus>(*this)) {}

CzxBluezBtle::~CzxBluezBtle() = default;

bool CzxBluezBtle::IsAvailable()
{
    return true;
}

int CzxBluezBtle::GetState() const
{
    return m_bus->GetState();
}

bool CzxBluezBtle::StartScan(const wxString& service)
{
    return m_bus->StartScan(service);
}

void CzxBluezBtle::StopScan()
{
    m_bus->StopScan();
}

bool CzxBluezBtle::IsScanning() const
{
    return m_bus->IsScanning();
}

bool CzxBluezBtle::Retrieve(const wxString& identifier, CzxBtlePeripheral& out) const
{
    return m_bus->Retrieve(identifier, out);
}

std::vector<CzxBtlePeripheral> CzxBluezBtle::RetrieveConnected(const wxString& service) const
{
    return m_bus->RetrieveConnected(service);
}

void CzxBluezBtle::Connect(const wxString& identifier)
{
    m_bus->Connect(identifier);
}

void CzxBluezBtle::Disconnect(const wxString& identifier)
{
    m_bus->Disconnect(identifier);
}

int CzxBluezBtle::GetPeripheralState(const wxString& identifier) const
{
    return m_bus->GetPeripheralState(identifier);
}

void CzxBluezBtle::DiscoverServices(const wxString& identifier, const wxString&)
{
    m_bus->DiscoverServices(identifier);
}

void CzxBluezBtle::DiscoverCharacteristics(const wxString& identifier, const wxString& service,
                                           const std::vector<wxString>& characteristics)
{
    m_bus->DiscoverCharacteristics(identifier, service, characteristics);
}

void CzxBluezBtle::SetNotify(const wxString& identifier, const wxString& characteristic, bool on)
{
    m_bus->SetNotify(identifier, characteristic, on);
}

bool CzxBluezBtle::IsNotifying(const wxString& identifier, const wxString& characteristic) const
{
    return m_bus->IsNotifying(identifier, characteristic);
}

void CzxBluezBtle::WriteValue(const wxString& identifier, const wxString& characteristic, const uint8_t* bytes,
                              size_t n, bool withResponse)
{
    m_bus->WriteValue(identifier, characteristic, bytes, n, withResponse);
}

void CzxBluezBtle::ReadValue(const wxString& identifier, const wxString& characteristic)
{
    m_bus->ReadValue(identifier, characteristic);
}

#else // without GIO: no adapter

class CzxBluezBtle::Bus
{
};

CzxBluezBtle::CzxBluezBtle() = default;
CzxBluezBtle::~CzxBluezBtle() = default;
bool CzxBluezBtle::IsAvailable() { return false; }
int CzxBluezBtle::GetState() const { return BTLE_STATE_UNSUPPORTED; }
bool CzxBluezBtle::StartScan(const wxString&) { return false; }
void CzxBluezBtle::StopScan() {}
bool CzxBluezBtle::IsScanning() const { return false; }
bool CzxBluezBtle::Retrieve(const wxString&, CzxBtlePeripheral&) const { return false; }
std::vector<CzxBtlePeripheral> CzxBluezBtle::RetrieveConnected(const wxString&) const { return {}; }
void CzxBluezBtle::Connect(const wxString&) {}
void CzxBluezBtle::Disconnect(const wxString&) {}
int CzxBluezBtle::GetPeripheralState(const wxString&) const { return BTLE_PERIPHERAL_DISCONNECTED; }
void CzxBluezBtle::DiscoverServices(const wxString&, const wxString&) {}
void CzxBluezBtle::DiscoverCharacteristics(const wxString&, const wxString&, const std::vector<wxString>&) {}
void CzxBluezBtle::SetNotify(const wxString&, const wxString&, bool) {}
bool CzxBluezBtle::IsNotifying(const wxString&, const wxString&) const { return false; }
void CzxBluezBtle::WriteValue(const wxString&, const wxString&, const uint8_t*, size_t, bool) {}
void CzxBluezBtle::ReadValue(const wxString&, const wxString&) {}

#endif
