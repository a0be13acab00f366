#!/usr/bin/env python3
"""Generates the sample game samples/runner/ from code: data files in the editor's format, the
splash, the icon, the atlas of sprite frames and the bitmap font.

usage: tools/make_sample.py TOOLS_DIR [OUT_DIR]
TOOLS_DIR holds the built qndraw, qnpack and qnfont. Running it twice gives identical files.
"""
import os
import shutil
import subprocess
import sys
from xml.sax.saxutils import escape

TOOLS = sys.argv[1] if len(sys.argv) > 1 else "build/tools"
OUT = sys.argv[2] if len(sys.argv) > 2 else "samples/runner"


# Step 1: small helpers that write property-list pieces the way the editor does.
def kv(key, value):
    return "<key>%s</key><string>%s</string>" % (escape(key), escape(str(value)))


def attr(name, body):
    return "<key>%s</key><dict>%s</dict>" % (escape(name), body)


def data_file(elements):
    return ('<?xml version="1.0" encoding="UTF-8"?>\n<plist version="1.0">\n<dict>\n<key>ROOT</key>\n'
            "<array>\n" + "\n".join(elements) + "\n</array>\n</dict>\n</plist>\n")


class Project:
    """Collects models by class; ids are handed out in creation order, so output is stable."""

    def __init__(self):
        self.next_id = 10
        self.attributes = {}   # class -> list of <dict> texts
        self.connections = {}  # class -> list of <dict> texts

    def new_id(self):
        self.next_id += 1
        return self.next_id - 1

    def add(self, cls, body, links=None):
        ident = self.new_id()
        self.attributes.setdefault(cls, []).append(
            "<dict>" + kv("className", cls) + kv("id", ident) + body + "</dict>")
        if links is not None:
            self.connections.setdefault(cls, []).append("<dict>" + kv("id", ident) + links + "</dict>")
        return ident

    # Step 2: a screen model lists its widgets as children and its stage lengths (frames of 1/30 s).
    def screen(self, key, children=(), cls="QNModelScreen", idle=40, extra=""):
        ids = "".join("<string>%d</string>" % c for c in children)
        body = (attr("Name", kv("value", key)) + kv("key", key) + kv("openFrames", 0) +
                kv("idleFrames", idle) + kv("closeFrames", 0) + extra)
        return self.add(cls, body, "<key>children</key><array>" + ids + "</array>")

    # Step 3: a button model: its Name is its output in the navigation graph, "Action" what a tap does.
    def button(self, name, action, x, y, sprite=None, key=None, scale=1, back_to=None):
        body = (attr("Name", kv("value", name)) + attr("Action", kv("selectedStringValue", action)) +
                attr("Position", kv("value", "{%g,%g}" % (x, y))) +
                attr("Scale", kv("value", "{%g,%g}" % (scale, scale))))
        if back_to is not None:
            body += attr("Back To", kv("selectedStringValue", back_to))
        if key is not None:
            body += attr("Keyboard Key", kv("value", key))
        # Pictures are references: they are read with the connections, once every model exists.
        links = attr("Image", kv("value", sprite)) if sprite is not None else ""
        return self.add("QNModelObjectButton", body, links)

    # Step 4: an image widget showing a sprite container (a frame animation here).
    def image(self, name, x, y, sprite, scale=1, depth=0):
        body = (attr("Name", kv("value", name)) + attr("Position", kv("value", "{%g,%g}" % (x, y))) +
                attr("Scale", kv("value", "{%g,%g}" % (scale, scale))) + kv("zDepth", depth))
        return self.add("QNModelObjectImage", body, attr("Image", kv("value", sprite)))

    # Step 4b: the loading bar of the start screen (it plays the project's loading percentage).
    def loading_bar(self, x, y):
        body = attr("Name", kv("value", "Loading Bar")) + attr("Position", kv("value", "{%g,%g}" % (x, y)))
        return self.add("QNModelObjectLoadingBar", body)

    # Step 4c: what a world is made of. A collision shape lives inside its attribute: points in
    # scene units around the asset's origin, y growing downwards.
    @staticmethod
    def box(w, h):
        pts = [(-w / 2, -h / 2), (w / 2, -h / 2), (w / 2, h / 2), (-w / 2, h / 2)]
        return (kv("shapeType", 1) + kv("className", "QNModelPolygon") + "<key>points</key><array>" +
                "".join("<string>{%g,%g}</string>" % pt for pt in pts) + "</array>")

    @staticmethod
    def circle(r):
        return (kv("shapeType", 2) + kv("className", "QNModelCircle") +
                "<key>points</key><array><string>{0,0}</string><string>{%g,0}</string></array>" % r)

    # A composite animation showing one picture: the look of an asset.
    def look(self, name, picture):
        img = self.image(name, 0, 0, picture)
        return self.add("QNModelAnimation", attr("Name", kv("value", name)) + kv("duration", "1.000000") +
                        kv("animationSpeed", "1.000000") + kv("looped", 1),
                        "<key>children</key><array><string>%d</string></array>" % img)

    def obstacle(self, name, shape, look):
        return self.add("QNModelAssetObstacle", attr("Name", kv("value", name)) + attr("Collision Shape", shape),
                        attr("Idle Animation", kv("value", look)))

    # A placed unit: a platform (static), or a physics object that falls and rolls once woken.
    def unit(self, name, asset, x, y, kind, movement, sx=1, sy=1, rotation=0, collide=True, depth=0):
        body = (attr("Name", kv("value", name)) + attr("Position", kv("value", "{%g,%g}" % (x, y))) +
                attr("Scale", kv("value", "{%g,%g}" % (sx, sy))) +
                attr("Rotation", kv("value", "%f" % rotation)) +
                attr("Object Type", kv("selectedStringValue", kind)) +
                attr("Movement Type", kv("selectedStringValue", movement)) +
                attr("Collision Type", kv("selectedStringValue",
                                          "kCharacterCollision" if collide else "kNoCollision")) +
                attr("Destroy Type", kv("selectedStringValue", "kDestroyNo")) + kv("zDepth", depth))
        return self.add("QNModelObjectAssetUnit", body, attr("Asset", kv("value", asset)))

    def section(self, name, world, children, width, init=False):
        body = (attr("Name", kv("value", name)) + kv("initSection", 1 if init else 0) +
                kv("parentScreenId", world) + attr("Width", kv("value", "%f" % width)))
        ids = "".join("<string>%d</string>" % c for c in children)
        return self.add("QNModelLevelSection", body, "<key>children</key><array>" + ids + "</array>")

    # Step 5: navigation nodes point at their screen; outputs link to the "Load" input of a node.
    def node(self, cls, screen_id, name=None):
        self.node_links = getattr(self, "node_links", {})
        ident = self.add(cls, attr("Name", kv("value", name or cls)))
        self.node_links[ident] = (cls, kv("modelId", screen_id))
        return ident

    def link(self, source, output, target):
        cls, body = self.node_links[source]
        body += attr(output, kv("connectedModelId", target) + kv("attributeName", "Load") +
                     kv("isAction", "true"))
        self.node_links[source] = (cls, body)

    def write(self, folder):
        data = os.path.join(folder, "data")
        connections = {cls: list(items) for cls, items in self.connections.items()}
        for ident, (cls, body) in sorted(getattr(self, "node_links", {}).items()):
            connections.setdefault(cls, []).append("<dict>" + kv("id", ident) + body + "</dict>")
        for cls, items in sorted(self.attributes.items()):
            put(os.path.join(data, cls + ".0.attributes.xml"), data_file(items))
        for cls, items in sorted(connections.items()):
            put(os.path.join(data, cls + ".0.connections.xml"), data_file(items))


def put(path, text):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", encoding="utf-8", newline="\n") as out:
        out.write(text)


def tool(name, *args):
    subprocess.run([os.path.join(TOOLS, name)] + list(args), check=True)


def main():
    # Step 6: start from an empty folder so stale files never linger.
    shutil.rmtree(OUT, ignore_errors=True)
    p = Project()

    # Step 7: general settings: a landscape game called "QN Runner".
    put(os.path.join(OUT, "data", "QNModelGeneralSettings.0.attributes.xml"), data_file([
        "<dict>" + kv("className", "QNModelGeneralSettings") + kv("id", 1) +
        attr("Name", kv("value", "Settings")) + attr("Application Name", kv("value", "QN Runner")) +
        kv("orientation", "QNPScreenOrientationLandscape") + "</dict>"]))

    # Step 8: sprites: button faces and four frames of a spinning star, packed into one atlas.
    atlas = p.add("QNModelAtlas", attr("Name", kv("value", "Atlas")))
    sprites = {}
    for name in ["play", "options", "exit", "back", "fullscreen", "windowed",
                 "star0", "star1", "star2", "star3", "backdrop",
                 "pause", "resume", "menu", "ground", "crate", "ball", "runner"]:
        sprites[name] = p.add("QNModelSprite", attr("Name", kv("value", name)))
    # The atlas lists its sprites; its frames are named after them ("QNModelSprite_ID<id>").
    p.connections["QNModelAtlas"] = ["<dict>" + kv("id", atlas) + "<key>sprites</key><array>" +
                                     "".join("<string>%d</string>" % i for i in sprites.values()) +
                                     "</array></dict>"]
    frames = os.path.join(OUT, "build-frames")
    script = []
    colours = {"play": "#4c4", "options": "#48c", "exit": "#c44", "back": "#888",
               "fullscreen": "#c84", "windowed": "#8c4", "pause": "#a6c", "resume": "#4c4",
               "menu": "#48c"}
    # A white sign on each face says what the button does: play, settings, leave, back, and the
    # two window modes.
    signs = {"play": "polygon 104 20 104 60 140 40",
             "options": "circle 120 40 16; fill %s; circle 120 40 7",
             "exit": "polygon 98 24 106 16 142 56 134 64; polygon 134 16 142 24 106 64 98 56",
             "back": "polygon 100 40 124 18 124 30 144 30 144 50 124 50 124 62",
             "fullscreen": "rect 96 18 48 44; fill %s; rect 102 24 36 32",
             "windowed": "rect 104 26 32 28; fill %s; rect 109 34 22 15",
             "pause": "rect 102 20 12 40; rect 126 20 12 40",
             "resume": "polygon 104 20 104 60 140 40",
             "menu": "rect 98 22 44 7; rect 98 37 44 7; rect 98 52 44 7"}
    for name, colour in colours.items():
        sign = signs[name].replace("%s", colour)
        script.append("canvas 240 80; fill linear 0 0 0 80 #fff %s; stroke #fff 4; "
                      "roundrect 4 4 232 72 24; stroke none; fill #fff; %s; save QNModelSprite_ID%d.png"
                      % (colour, sign, sprites[name]))
    for turn in range(4):
        script.append("canvas 96 96; fill radial 40 36 48 #ffe680 #d89b00; stroke #8a5a00 3; "
                      "star 48 48 44 18 5 %d; save QNModelSprite_ID%d.png" % (turn * 18, sprites["star%d" % turn]))
    # The menus' backdrop, drawn small and shown four times its size: a dusk sky over two hills.
    script.append("canvas 284 160; stroke none; fill linear 0 0 0 160 #1b2a57 #5a7fc0; clear; "
                  "fill #fff; circle 40 30 1.5; circle 90 18 1; circle 150 36 1.5; circle 220 22 1; "
                  "circle 250 48 1.5; fill #2d5a3a; polygon 0 160 0 120 60 100 140 126 140 160; "
                  "fill #24492f; polygon 90 160 170 110 284 128 284 160; save QNModelSprite_ID%d.png"
                  % sprites["backdrop"])
    # The world: a strip of grassy ground, a crate, a ball and the runner.
    script.append("canvas 512 64; stroke none; fill linear 0 0 0 64 #7a5230 #4a3018; clear; "
                  "fill #4caf50; rect 0 0 512 14; fill #6fcf6f; rect 0 0 512 5; "
                  "save QNModelSprite_ID%d.png" % sprites["ground"])
    script.append("canvas 64 64; fill #c8893c; stroke #6b4420 4; rect 2 2 60 60; "
                  "line 8 8 56 56; line 56 8 8 56; save QNModelSprite_ID%d.png" % sprites["crate"])
    script.append("canvas 64 64; fill radial 24 22 34 #ff8080 #b01818; stroke #600 3; circle 32 32 29; "
                  "save QNModelSprite_ID%d.png" % sprites["ball"])
    script.append("canvas 64 64; fill radial 26 24 34 #ffe066 #e08a00; stroke #704000 3; circle 32 32 28; "
                  "stroke none; fill #fff; circle 42 24 8; fill #222; circle 45 24 4; "
                  "save QNModelSprite_ID%d.png" % sprites["runner"])
    tool("qndraw", "--out-dir", frames, "-e", "\n".join(script))
    tool("qnpack", "-o", os.path.join(OUT, "data", "atlases", "atlas_ID%d" % atlas), frames)
    shutil.rmtree(frames)

    # Step 9: pictures are sprite containers: one still frame for each button face, and the frame
    # animation of the star cycling its four frames.
    faces = {}
    for name in list(colours) + ["backdrop", "ground", "crate", "ball", "runner"]:
        faces[name] = p.add("QNModelSpriteContainer", attr("Name", kv("value", name)),
                            "<key>sprites</key><array><string>%d</string></array>" % sprites[name])
    star = p.add("QNModelSpriteContainer", attr("Name", kv("value", "Star")),
                 "<key>sprites</key><array>" +
                 "".join("<string>%d</string>" % sprites["star%d" % t] for t in range(4)) + "</array>")

    # Step 10: the bitmap font.
    font = p.add("QNModelFont", attr("Name", kv("value", "Font")))
    tool("qnfont", "--size", "32", "-o", os.path.join(OUT, "data", "fonts", "QNModelFont_ID%d" % font))

    # Step 11: screens and their buttons; the main menu, the options screen and the world's screen.
    # Keys: P plays, O opens the options, B goes back (editor key codes are upper-case letters).
    menu_buttons = [p.button("Play", "kNoAction", 568, 400, faces["play"], key=ord("P")),
                    p.button("Options", "kNoAction", 568, 300, faces["options"], key=ord("O")),
                    p.button("Exit", "kExitButton", 568, 200, faces["exit"]),
                    p.image("Star", 200, 320, star),
                    p.image("Backdrop", 568, 320, faces["backdrop"], scale=4, depth=-10)]
    option_buttons = [p.button("Full Screen", "kFullscreen", 568, 400, faces["fullscreen"]),
                      p.button("Windowed", "kWindowed", 568, 300, faces["windowed"]),
                      p.button("Back", "kBackButton", 568, 200, faces["back"], key=ord("B")),
                      p.image("Backdrop", 568, 320, faces["backdrop"], scale=4, depth=-10)]
    start_screen = p.screen("QNPScreenStart", [p.loading_bar(568, 80)])
    menu_screen = p.screen("QNPScreenMainMenu", menu_buttons)
    options_screen = p.screen("QNPScreenOptions", option_buttons)
    hud_screen = p.screen("QNPScreenHud", [p.button("Pause", "kPauseButton", 1076, 590, faces["pause"],
                                                    key=ord("P"), scale=0.4)])
    pause_screen = p.screen("QNPScreenPause", [
        p.button("Resume", "kBackButton", 568, 360, faces["resume"], key=ord("R")),
        p.button("Menu", "kBackToButton", 568, 260, faces["menu"], back_to="QNPScreenMainMenu")])

    # Step 11b: the world. It scrolls at 3 to 6 points a frame; its sections are one screen wide.
    # The first holds the runner on the ground with two crates; the next ones add crates and balls.
    forced = p.add("QNModelComponentForcedMovement", attr("Name", kv("value", "Forced Movement")) +
                   attr("Froce Min", kv("value", "3.000000")) + attr("Force Max", kv("value", "6.000000")) +
                   attr("Force Increase", kv("value", "0.010000")))
    # The camera keeps the runner inside the middle half of the window.
    world_screen = p.screen("QNPWorldRunner", [forced], cls="QNModelScreenScene",
                            extra=kv("objectFrameRect", "{{0.2500,0.1000},{0.5000,0.8000}}"))
    ground = p.obstacle("Ground", p.box(512, 64), p.look("Ground", faces["ground"]))
    crate = p.obstacle("Crate", p.box(60, 60), p.look("Crate", faces["crate"]))
    ball = p.obstacle("Ball", p.circle(29), p.look("Ball", faces["ball"]))
    runner_asset = p.add("QNModelAssetCharacter", attr("Name", kv("value", "Runner")) +
                         attr("Collision Shape", p.circle(28)) + attr("Game Over Delay", kv("value", "2.000000")),
                         attr("Default Animation", kv("value", p.look("Runner", faces["runner"]))))
    runner = p.add("QNModelObjectAssetCharacter", attr("Name", kv("value", "Runner")) +
                   attr("Position", kv("value", "{300,140}")), attr("Asset", kv("value", runner_asset)))

    backdrop = p.obstacle("Backdrop", p.box(284, 160), p.look("Backdrop", faces["backdrop"]))

    # Each section lays its own ground and sky: a platform and a decoration that never collides.
    def floor():
        return p.unit("Ground", ground, 568, 32, "kPlatformObjectType", "kMovementLinear", sx=2.25)

    def sky():
        return p.unit("Sky", backdrop, 568, 320, "kDecorationObjectType", "kMovementLinear", sx=4, sy=4,
                      collide=False, depth=-10)

    p.section("Start", world_screen, [runner, sky(), floor(),
                                      p.unit("Crate", crate, 700, 94, "kPhysicsObjectType", "kMovementPhysics"),
                                      p.unit("Crate", crate, 760, 154, "kPhysicsObjectType", "kMovementPhysics", rotation=10)],
              1136, init=True)
    p.section("Field", world_screen, [sky(), floor(),
                                      p.unit("Crate", crate, 300, 94, "kPlatformObjectType", "kMovementLinear"),
                                      p.unit("Ball", ball, 620, 400, "kPhysicsObjectType", "kMovementPhysics"),
                                      p.unit("Crate", crate, 900, 300, "kPhysicsObjectType", "kMovementPhysics", rotation=30)],
              1136)

    # Step 12: the navigation graph: start -> menu; menu -> options, menu -> world; the world's HUD
    # -> its pause screen.
    start = p.node("QNNodeUIStart", start_screen)
    menu = p.node("QNNodeUI", menu_screen)
    options = p.node("QNNodeUI", options_screen)
    world = p.node("QNNodeScene", world_screen)
    hud = p.node("QNNodeUI", hud_screen)
    pause = p.node("QNNodeUI", pause_screen)
    p.link(start, "Load", menu)
    p.link(menu, "Options", options)
    p.link(menu, "Play", world)
    p.link(world, "UI", hud)
    p.link(hud, "Pause", pause)
    p.write(OUT)

    # Step 13: the loading splash and the icon beside data/.
    tool("qndraw", "-e", "canvas 1136 640; fill linear 0 0 0 640 #5ad #136; clear; "
         "fill #fff; star 568 300 120 50 5; save " + os.path.join(OUT, "Default.png"))
    tool("qndraw", "-e", "canvas 64 64 #204080; fill #f80; star 32 34 28 12 5; save " +
         os.path.join(OUT, "icon.ico"))


if __name__ == "__main__":
    main()
