#!/usr/bin/env python3
"""Drops files on whatever X window lies at a point of the screen, through
the XDND protocol, as a Linux file manager does.
  xdnd_drop.py X Y LOG FILE...
Exit status 0 once the target has finished with the drop. The log's last
line is "end: finished" or "end: failed": a Wine program that starts this
script can neither wait for it nor read its exit status."""
import ctypes
import ctypes.util
import sys
import time
import urllib.parse

x11 = ctypes.cdll.LoadLibrary(ctypes.util.find_library("X11") or "libX11.so.6")

Window = Atom = Time = ctypes.c_ulong


class XClientMessageEvent(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", Window), ("message_type", Atom),
                ("format", ctypes.c_int), ("l", ctypes.c_long * 5)]


class XSelectionRequestEvent(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("owner", Window), ("requestor", Window),
                ("selection", Atom), ("target", Atom), ("property", Atom), ("time", Time)]


class XSelectionEvent(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("requestor", Window), ("selection", Atom),
                ("target", Atom), ("property", Atom), ("time", Time)]


class XEvent(ctypes.Union):
    _fields_ = [("type", ctypes.c_int), ("xclient", XClientMessageEvent),
                ("xselectionrequest", XSelectionRequestEvent), ("xselection", XSelectionEvent),
                ("pad", ctypes.c_long * 24)]


ClientMessage, SelectionRequest, SelectionNotify = 33, 30, 31
PropModeReplace, NoEventMask = 0, 0

x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XDefaultRootWindow.restype = Window
x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x11.XInternAtom.restype = Atom
x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x11.XCreateSimpleWindow.restype = Window
x11.XCreateSimpleWindow.argtypes = [ctypes.c_void_p, Window, ctypes.c_int, ctypes.c_int,
                                    ctypes.c_uint, ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong,
                                    ctypes.c_ulong]
x11.XSetSelectionOwner.argtypes = [ctypes.c_void_p, Atom, Window, Time]
x11.XTranslateCoordinates.argtypes = [ctypes.c_void_p, Window, Window, ctypes.c_int, ctypes.c_int,
                                      ctypes.POINTER(ctypes.c_int), ctypes.POINTER(ctypes.c_int),
                                      ctypes.POINTER(Window)]
x11.XSendEvent.argtypes = [ctypes.c_void_p, Window, ctypes.c_int, ctypes.c_long,
                           ctypes.POINTER(XEvent)]
x11.XChangeProperty.argtypes = [ctypes.c_void_p, Window, Atom, Atom, ctypes.c_int, ctypes.c_int,
                                ctypes.c_char_p, ctypes.c_int]
x11.XPending.argtypes = [ctypes.c_void_p]
x11.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.POINTER(XEvent)]
x11.XFlush.argtypes = [ctypes.c_void_p]


def main(x, y, files, say):
    display = x11.XOpenDisplay(None)
    if not display:
        say("cannot open the display")
        return 1
    atom = lambda name: x11.XInternAtom(display, name.encode(), 0)
    root = x11.XDefaultRootWindow(display)
    source = x11.XCreateSimpleWindow(display, root, 0, 0, 1, 1, 0, 0, 0)

    dx, dy, target = ctypes.c_int(), ctypes.c_int(), Window()
    x11.XTranslateCoordinates(display, root, root, x, y, ctypes.byref(dx), ctypes.byref(dy),
                              ctypes.byref(target))
    target = target.value
    if not target:
        say(f"no window at {x}, {y}")
        return 1
    say(f"target window 0x{target:x} at {x}, {y}")

    uri_list = atom("text/uri-list")
    selection = atom("XdndSelection")
    x11.XSetSelectionOwner(display, selection, source, 0)
    payload = "".join("file://" + urllib.parse.quote(f) + "\r\n" for f in files).encode()

    def send(name, *longs):
        event = XEvent()
        event.xclient.type = ClientMessage
        event.xclient.window = target
        event.xclient.message_type = atom(name)
        event.xclient.format = 32
        for i, value in enumerate(longs):
            event.xclient.l[i] = value
        x11.XSendEvent(display, target, 0, NoEventMask, ctypes.byref(event))
        x11.XFlush(display)
        say("sent " + name)

    def answer_request(request):
        reply = XEvent()
        reply.xselection.type = SelectionNotify
        reply.xselection.requestor = request.requestor
        reply.xselection.selection = request.selection
        reply.xselection.target = request.target
        reply.xselection.time = request.time
        reply.xselection.property = 0
        if request.target == uri_list:
            x11.XChangeProperty(display, request.requestor, request.property, uri_list, 8,
                                PropModeReplace, payload, len(payload))
            reply.xselection.property = request.property
        say(f"answered a request for atom {request.target}")
        x11.XSendEvent(display, request.requestor, 0, NoEventMask, ctypes.byref(reply))
        x11.XFlush(display)

    def wait_for(name, limit=5.0):
        wanted = atom(name)
        deadline = time.monotonic() + limit
        event = XEvent()
        while time.monotonic() < deadline:
            while x11.XPending(display):
                x11.XNextEvent(display, ctypes.byref(event))
                if event.type == SelectionRequest:
                    answer_request(event.xselectionrequest)
                elif event.type == ClientMessage and event.xclient.message_type == wanted:
                    say("received " + name)
                    return event.xclient
            time.sleep(0.01)
        say("no " + name + " within the time limit")
        return None

    version = 5
    send("XdndEnter", source, version << 24, uri_list, 0, 0)
    send("XdndPosition", source, 0, (x << 16) | y, 0, atom("XdndActionCopy"))
    status = wait_for("XdndStatus")
    if not status or not status.l[1] & 1:
        say("the target refuses the drop")
        send("XdndLeave", source, 0)
        return 1
    send("XdndDrop", source, 0, 0)
    if not wait_for("XdndFinished"):
        return 1
    return 0


def run():
    x, y, log_path = int(sys.argv[1]), int(sys.argv[2]), sys.argv[3]
    with open(log_path, "w") as log:
        def say(text):
            log.write(text + "\n")
            log.flush()
        status = 1
        try:
            status = main(x, y, sys.argv[4:], say)
        except Exception as error:  # reported in the log, which is all the caller sees
            say(f"error: {error!r}")
        say("end: " + ("finished" if status == 0 else "failed"))
    return status


sys.exit(run())
