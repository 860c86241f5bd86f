#!/usr/bin/python3
"""A stand-in for the desktop's disk service on a private bus, modelled on UDisks2 by version:
one block device (a card image file) mounted at a given folder, with Unmount, Format (a job
whose progress goes up in quarters), OpenDevice and Mount. Every call is written to a log file,
one line each.

Format runs mkfs on the image the way the service version does: 2.9.x knows no "mkfs-args" and
runs exactly `mkfs.vfat -I -n LABEL --mbr=n DEVICE` for vfat and `mkfs.exfat -n LABEL DEVICE`
for exfat (2.9.4's commands); 2.10 and later add the mkfs-args before the device.

Usage: fake_udisks2.py LOG MOUNTPOINT [--version=2.9.4] [--image=PATH] [--read-only]
                       [fail-unmount|fail-format|fail-mount|deny-open|ignore-args|read-only-open]

ignore-args: a service that claims 2.10 but drops the mkfs-args, as 2.9.x does.
read-only-open: the device refuses writing though it is not marked read-only."""
import os
import subprocess
import sys

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

ROOT = "/org/freedesktop/UDisks2"
BLOCK = ROOT + "/block_devices/sdz1"
JOB = ROOT + "/jobs/1"
log_path, mount_point = sys.argv[1], sys.argv[2]
options = {"version": "2.9.4", "image": "", "read-only": False, "failure": ""}
for arg in sys.argv[3:]:
    if arg.startswith("--") and "=" in arg:
        key, value = arg[2:].split("=", 1)
        options[key] = value
    elif arg == "--read-only":
        options["read-only"] = True
    else:
        options["failure"] = arg
failure = options["failure"]
image = options["image"]
state = {"mounted": True, "job": None}


def log(line):
    with open(log_path, "a") as f:
        f.write(line + "\n")


def version_at_least(major, minor):
    parts = [int(p) for p in options["version"].split(".")[:2]]
    return parts >= [major, minor]


def bytestring(text):
    return dbus.Array([dbus.Byte(b) for b in text.encode() + b"\0"], signature="y")


def error(name, text):
    return dbus.exceptions.DBusException(text, name="org.freedesktop.UDisks2.Error." + name)


def mkfs_command(kind, label, mkfs_args):
    if kind == "exfat":
        if not version_at_least(2, 10):
            return ["mkfs.exfat", "-n", label, image]  # 2.9.4's command
        return ["mkfs.exfat"] + (["-L", label] if label else []) + [image]
    honoured = version_at_least(2, 10) and failure != "ignore-args"
    extra = [str(a) for a in mkfs_args] if honoured else []
    return ["mkfs.vfat", "-I", "-n", label, "--mbr=n"] + extra + [image]


class Root(dbus.service.Object):
    @dbus.service.method("org.freedesktop.DBus.ObjectManager", out_signature="a{oa{sa{sv}}}")
    def GetManagedObjects(self):
        points = dbus.Array([bytestring(mount_point)] if state["mounted"] else [], signature="ay")
        size = os.path.getsize(image) if image else 0
        objects = {
            dbus.ObjectPath(BLOCK): {
                "org.freedesktop.UDisks2.Block": {
                    "Device": bytestring("/dev/sdz1"), "Size": dbus.UInt64(size),
                    "ReadOnly": dbus.Boolean(options["read-only"])},
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
        return dbus.String(options["version"])


class Block(dbus.service.Object):
    @dbus.service.method("org.freedesktop.UDisks2.Filesystem", in_signature="a{sv}")
    def Unmount(self, opts):
        log("Unmount")
        if failure == "fail-unmount":
            raise error("DeviceBusy", "busy")
        state["mounted"] = False
        self.MountPointsChanged()

    @dbus.service.method("org.freedesktop.UDisks2.Filesystem", in_signature="a{sv}", out_signature="s")
    def Mount(self, opts):
        log("Mount")
        if failure == "fail-mount":
            raise error("Failed", "no")
        state["mounted"] = True
        self.MountPointsChanged()
        return mount_point + "-new"

    # As udisksd tells of every mount and unmount, whoever made it.
    @dbus.service.signal("org.freedesktop.DBus.Properties", signature="sa{sv}as")
    def PropertiesChanged(self, interface, changed, invalidated):
        pass

    def MountPointsChanged(self):
        points = [bytestring(mount_point)] if state["mounted"] else []
        self.PropertiesChanged("org.freedesktop.UDisks2.Filesystem",
                               {"MountPoints": dbus.Array(points, signature="ay")}, [])

    @dbus.service.method("org.freedesktop.UDisks2.Block", in_signature="sa{sv}", out_signature="h")
    def OpenDevice(self, mode, opts):
        log("OpenDevice " + mode)
        if failure == "deny-open":
            raise error("NotAuthorizedDismissed", "The authentication dialog was dismissed")
        if (options["read-only"] or failure == "read-only-open") and "w" in mode:
            raise error("Failed", "Error opening device /dev/sdz1: Read-only file system")
        fd = os.open(image, os.O_RDWR if "w" in mode else os.O_RDONLY)
        result = dbus.types.UnixFd(fd)
        os.close(fd)
        return result

    @dbus.service.method("org.freedesktop.UDisks2.Block", in_signature="sa{sv}", async_callbacks=("ok", "err"))
    def Format(self, kind, opts, ok, err):
        args = opts.get("mkfs-args", [])
        log("Format %s label=%s mkfs-args=%s" % (kind, opts.get("label", ""), " ".join(str(a) for a in args)))
        if failure == "fail-format":
            err(error("Failed", "mkfs failed"))
            return
        if options["read-only"]:
            err(error("Failed", "Error wiping device: Failed to open the device '/dev/sdz1': Read-only file system"))
            return
        if image:
            made = subprocess.run(mkfs_command(kind, str(opts.get("label", "")), args),
                                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            if made.returncode != 0:
                err(error("Failed", "Error creating filesystem"))
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
