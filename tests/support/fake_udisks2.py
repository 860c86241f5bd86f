#!/usr/bin/python3
"""A small stand-in for the desktop's disk service on a private bus: one block device mounted at
a given folder, with Unmount, Format (running a job whose progress goes up in quarters) and
Mount. Every call is written to a log file, one line each.
Usage: fake_udisks2.py LOG MOUNTPOINT [fail-unmount|fail-format|fail-mount]"""
import sys

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

ROOT = "/org/freedesktop/UDisks2"
BLOCK = ROOT + "/block_devices/sdz1"
JOB = ROOT + "/jobs/1"
log_path, mount_point = sys.argv[1], sys.argv[2]
failure = sys.argv[3] if len(sys.argv) > 3 else ""
state = {"mounted": True, "job": None}


def log(line):
    with open(log_path, "a") as f:
        f.write(line + "\n")


def bytestring(text):
    return dbus.Array([dbus.Byte(b) for b in text.encode() + b"\0"], signature="y")


class Root(dbus.service.Object):
    @dbus.service.method("org.freedesktop.DBus.ObjectManager", out_signature="a{oa{sa{sv}}}")
    def GetManagedObjects(self):
        points = dbus.Array([bytestring(mount_point)] if state["mounted"] else [], signature="ay")
        objects = {
            dbus.ObjectPath(BLOCK): {
                "org.freedesktop.UDisks2.Block": {"Device": bytestring("/dev/sdz1")},
                "org.freedesktop.UDisks2.Filesystem": {"MountPoints": dbus.Array(points, signature="ay")},
            },
            dbus.ObjectPath(ROOT + "/block_devices/sda1"): {
                "org.freedesktop.UDisks2.Block": {"Device": bytestring("/dev/sda1")},
                "org.freedesktop.UDisks2.Filesystem": {
                    "MountPoints": dbus.Array([bytestring("/")], signature="ay")},
            },
        }
        if state["job"] is not None:
            objects[dbus.ObjectPath(JOB)] = {"org.freedesktop.UDisks2.Job": {
                "Progress": dbus.Double(state["job"]),
                "Objects": dbus.Array([dbus.ObjectPath(BLOCK)], signature="o")}}
        return objects


class Manager(dbus.service.Object):
    @dbus.service.method("org.freedesktop.DBus.Properties", in_signature="ss", out_signature="v")
    def Get(self, interface, name):
        return dbus.String("2.9.4")


class Block(dbus.service.Object):
    @dbus.service.method("org.freedesktop.UDisks2.Filesystem", in_signature="a{sv}")
    def Unmount(self, options):
        log("Unmount")
        if failure == "fail-unmount":
            raise dbus.exceptions.DBusException("org.freedesktop.UDisks2.Error.DeviceBusy", "busy")
        state["mounted"] = False

    @dbus.service.method("org.freedesktop.UDisks2.Filesystem", in_signature="a{sv}", out_signature="s")
    def Mount(self, options):
        log("Mount")
        if failure == "fail-mount":
            raise dbus.exceptions.DBusException("org.freedesktop.UDisks2.Error.Failed", "no")
        state["mounted"] = True
        return mount_point + "-new"

    @dbus.service.method("org.freedesktop.UDisks2.Block", in_signature="sa{sv}", async_callbacks=("ok", "err"))
    def Format(self, kind, options, ok, err):
        args = " ".join(str(a) for a in options.get("mkfs-args", []))
        log("Format %s label=%s mkfs-args=%s" % (kind, options.get("label", ""), args))
        if failure == "fail-format":
            err(dbus.exceptions.DBusException("org.freedesktop.UDisks2.Error.Failed", "mkfs failed"))
            return
        state["job"] = 0.0

        def step():
            state["job"] += 0.25
            if state["job"] >= 1.0:
                state["job"] = None
                ok()
                return False
            return True
        GLib.timeout_add(300, step)


DBusGMainLoop(set_as_default=True)
bus = dbus.SessionBus()
name = dbus.service.BusName("org.freedesktop.UDisks2", bus)
objects = [Root(bus, ROOT), Manager(bus, ROOT + "/Manager"), Block(bus, BLOCK)]
GLib.MainLoop().run()
