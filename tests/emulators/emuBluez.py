#!/usr/bin/python3
"""A stand-in for BlueZ on a private bus, for the Bluetooth LE tests.

It owns org.bluez on the session bus it is started on and offers one adapter
(/org/bluez/hci0, powered) and, once a discovery starts, one logger that
advertises the logger service. Connecting resolves the service and its four
characteristics. Every value written to the host-to-logger characteristic
comes back as a notification on the logger-to-host one; a value that begins
with 0xEE is answered by a 21-byte notification first. Prints "ready" once the
name is owned.
"""
import sys

import dbus
import dbus.mainloop.glib
import dbus.service
from gi.repository import GLib

SERVICE = "7c3e1101-4a1d-4f2b-9e85-3d6b20c4f9a1"
TX = "7c3e2000-4a1d-4f2b-9e85-3d6b20c4f9a1"
RX = "7c3e2001-4a1d-4f2b-9e85-3d6b20c4f9a1"
RTS = "7c3e2002-4a1d-4f2b-9e85-3d6b20c4f9a1"
CTS = "7c3e2003-4a1d-4f2b-9e85-3d6b20c4f9a1"

OBJECT_MANAGER = "org.freedesktop.DBus.ObjectManager"
PROPERTIES = "org.freedesktop.DBus.Properties"
ADAPTER = "org.bluez.Adapter1"
DEVICE = "org.bluez.Device1"
GATT_SERVICE = "org.bluez.GattService1"
GATT_CHARACTERISTIC = "org.bluez.GattCharacteristic1"

ADDRESS = "C0:FF:EE:00:00:01"
NAME = "Kestilon BLE-1"


class Failed(dbus.exceptions.DBusException):
    _dbus_error_name = "org.bluez.Error.Failed"


class Root(dbus.service.Object):
    def __init__(self, bus):
        super().__init__(bus, "/")
        self.objects = []

    @dbus.service.method(OBJECT_MANAGER, out_signature="a{oa{sa{sv}}}")
    def GetManagedObjects(self):
        return {o.path: o.properties for o in self.objects}

    @dbus.service.signal(OBJECT_MANAGER, signature="oa{sa{sv}}")
    def InterfacesAdded(self, path, interfaces):
        pass

    @dbus.service.signal(OBJECT_MANAGER, signature="oas")
    def InterfacesRemoved(self, path, interfaces):
        pass

    def add(self, obj):
        self.objects.append(obj)
        self.InterfacesAdded(obj.path, obj.properties)

    def remove(self, obj):
        if obj in self.objects:
            self.objects.remove(obj)
            self.InterfacesRemoved(obj.path, list(obj.properties.keys()))


class Thing(dbus.service.Object):
    def __init__(self, bus, path, interface, properties):
        super().__init__(bus, path)
        self.path = dbus.ObjectPath(path)
        self.interface = interface
        self.properties = {interface: properties}

    def set(self, name, value):
        self.properties[self.interface][name] = value
        self.PropertiesChanged(self.interface, {name: value}, [])

    def get(self, name):
        return self.properties[self.interface][name]

    @dbus.service.method(PROPERTIES, in_signature="ss", out_signature="v")
    def Get(self, interface, name):
        return self.properties[interface][name]

    @dbus.service.method(PROPERTIES, in_signature="s", out_signature="a{sv}")
    def GetAll(self, interface):
        return self.properties.get(interface, {})

    @dbus.service.signal(PROPERTIES, signature="sa{sv}as")
    def PropertiesChanged(self, interface, changed, invalidated):
        pass


class Adapter(Thing):
    def __init__(self, bus, root):
        super().__init__(bus, "/org/bluez/hci0", ADAPTER, {
            "Address": dbus.String("00:11:22:33:44:55"),
            "Powered": dbus.Boolean(True),
            "Discovering": dbus.Boolean(False),
        })
        self.root = root
        self.logger = None

    @dbus.service.method(ADAPTER, in_signature="a{sv}")
    def SetDiscoveryFilter(self, options):
        self.filter = options

    @dbus.service.method(ADAPTER)
    def StartDiscovery(self):
        self.set("Discovering", dbus.Boolean(True))
        if self.logger is None:
            GLib.timeout_add(50, self.advertise)

    @dbus.service.method(ADAPTER)
    def StopDiscovery(self):
        self.set("Discovering", dbus.Boolean(False))

    def advertise(self):
        self.logger = Logger(self.bus, self.root, self.path)
        self.root.add(self.logger)
        return False

    @property
    def bus(self):
        return self.connection


class Characteristic(Thing):
    def __init__(self, bus, logger, path, uuid, service, flags):
        super().__init__(bus, path, GATT_CHARACTERISTIC, {
            "UUID": dbus.String(uuid),
            "Service": dbus.ObjectPath(service),
            "Flags": dbus.Array(flags, signature="s"),
            "Notifying": dbus.Boolean(False),
            "Value": dbus.Array([], signature="y"),
        })
        self.logger = logger
        self.uuid = uuid

    @dbus.service.method(GATT_CHARACTERISTIC, in_signature="a{sv}", out_signature="ay")
    def ReadValue(self, options):
        return dbus.Array([dbus.Byte(0)], signature="y")

    @dbus.service.method(GATT_CHARACTERISTIC, in_signature="aya{sv}")
    def WriteValue(self, value, options):
        if not self.logger.get("Connected"):
            raise Failed("Not connected")
        print("write", self.uuid[4:8], str(options.get("type", "")), bytes(value).hex(), flush=True)
        if self.uuid == RX:
            GLib.idle_add(self.logger.answer, bytes(value))

    @dbus.service.method(GATT_CHARACTERISTIC)
    def StartNotify(self):
        self.set("Notifying", dbus.Boolean(True))

    @dbus.service.method(GATT_CHARACTERISTIC)
    def StopNotify(self):
        self.set("Notifying", dbus.Boolean(False))


class Logger(Thing):
    def __init__(self, bus, root, adapter):
        self.base = adapter + "/dev_" + ADDRESS.replace(":", "_")
        super().__init__(bus, self.base, DEVICE, {
            "Address": dbus.String(ADDRESS),
            "Name": dbus.String(NAME),
            "Alias": dbus.String(NAME),
            "Adapter": dbus.ObjectPath(adapter),
            "Connected": dbus.Boolean(False),
            "ServicesResolved": dbus.Boolean(False),
            "UUIDs": dbus.Array([SERVICE], signature="s"),
            "RSSI": dbus.Int16(-50),
        })
        self.root = root
        self.gatt = []

    @dbus.service.method(DEVICE)
    def Connect(self):
        self.set("Connected", dbus.Boolean(True))
        GLib.timeout_add(20, self.resolve)

    @dbus.service.method(DEVICE)
    def Disconnect(self):
        for thing in self.gatt:
            if thing.interface == GATT_CHARACTERISTIC:
                thing.set("Notifying", dbus.Boolean(False))
        self.set("ServicesResolved", dbus.Boolean(False))
        self.set("Connected", dbus.Boolean(False))

    def resolve(self):
        bus = self.connection
        if not self.gatt:
            service = self.base + "/service0010"
            self.gatt.append(Thing(bus, service, GATT_SERVICE, {
                "UUID": dbus.String(SERVICE),
                "Device": dbus.ObjectPath(self.base),
                "Primary": dbus.Boolean(True),
            }))
            for n, (uuid, flags) in enumerate([(TX, ["notify"]), (RX, ["write-without-response", "write"]),
                                               (RTS, ["read"]), (CTS, ["write"])]):
                self.gatt.append(Characteristic(bus, self, "%s/char%04x" % (service, 0x11 + 2 * n), uuid,
                                                service, flags))
            for thing in self.gatt:
                self.root.add(thing)
        self.set("ServicesResolved", dbus.Boolean(True))
        return False

    def answer(self, value):
        tx = self.gatt[1]
        if not tx.get("Notifying"):
            return False
        if value[:1] == b"\xee":
            tx.set("Value", dbus.Array([dbus.Byte(b) for b in range(21)], signature="y"))
        tx.set("Value", dbus.Array([dbus.Byte(b) for b in value], signature="y"))
        return False


def main():
    dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    root = Root(bus)
    adapter = Adapter(bus, root)
    root.objects.append(adapter)
    name = dbus.service.BusName("org.bluez", bus)
    print("ready", flush=True)
    loop = GLib.MainLoop()
    try:
        loop.run()
    finally:
        del name


if __name__ == "__main__":
    sys.exit(main())
