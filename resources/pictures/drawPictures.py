#!/usr/bin/env python3
"""Draws every picture of the program into PNG files.

    resources/pictures/drawPictures.py [--sheet FILE]

Writes the built-in pictures (compiled into the program) into
resources/pictures/builtin, the tool pictures read at start-up and the
oscilloscope picture into resources/QuorvantiRes/bitmaps, and the desktop
icons into resources/desktop/icons. With --sheet it also writes a contact
sheet of them all, enlarged, for looking at them together.
"""

import math
import os
import sys

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from paint import (  # noqa: E402
    AMBER, BLACK, BLUE, BROWN, GREEN, INK, LIGHT, LIME, MID, ORANGE, PAPER, PINK, PURPLE, RED, SKY,
    TEAL, WHITE, YELLOW, Picture, Polyline, Stroke, Union, arc_points, read_png_rgba, rgb, write_png)

HERE = os.path.dirname(os.path.abspath(__file__))
RESOURCES = os.path.dirname(HERE)
BUILTIN = os.path.join(HERE, "builtin")
BITMAPS = os.path.join(RESOURCES, "QuorvantiRes", "bitmaps")
DESKTOP = os.path.join(RESOURCES, "desktop", "icons")

DARK = rgb("1d2733")
SCREEN = rgb("163a2a")
STEEL = rgb("6f7f90")


# Shared parts ----------------------------------------------------------------

def page(p, x0, y0, x1, y1, fold=5, fill=PAPER, w=1.5):
    shape = p.poly([(x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1)])
    p.filled(shape, fill, INK, w)
    p.line([(x1 - fold, y0), (x1 - fold, y0 + fold), (x1, y0 + fold)], INK, w * 0.8)


def grid(p, x0, y0, x1, y1, cols, rows, header=True, w=1.2):
    p.filled(p.rect(x0, y0, x1, y1), PAPER, INK, w * 1.2)
    if header:
        p.fill(p.rect(x0, y0, x1, y0 + (y1 - y0) / rows), SKY)
    for i in range(1, cols):
        x = x0 + (x1 - x0) * i / cols
        p.line([(x, y0), (x, y1)], INK, w * 0.7, least=0.8)
    for j in range(1, rows):
        y = y0 + (y1 - y0) * j / rows
        p.line([(x0, y), (x1, y)], INK, w * 0.7, least=0.8)
    p.outline(p.rect(x0, y0, x1, y1), INK, w * 1.2)


def magnifier(p, sign):
    p.line([(19.5, 19.5), (28, 28)], INK, 5)
    p.filled(p.circle(13, 13, 10), rgb("eaf4fd"), INK, 2.4)
    if sign == "+":
        p.line([(8, 13), (18, 13)], BLUE, 3)
        p.line([(13, 8), (13, 18)], BLUE, 3)
    else:
        p.line([(8, 13), (18, 13)], BLUE, 3)


def round_badge(p, colour):
    p.filled(p.circle(16, 16, 14), colour, rgb("1e3a5f") if colour == BLUE else INK, 1.2)


def trace(p, pts, colour, w=2.2):
    p.line(pts, colour, w)


def sine(cx0, cx1, cy, amp, cycles=1.0, steps=40):
    pts = []
    for i in range(steps + 1):
        t = i / steps
        pts.append((cx0 + (cx1 - cx0) * t, cy - amp * math.sin(2 * math.pi * cycles * t)))
    return pts


def gear(p, cx, cy, r_out, r_in, teeth, colour, hole):
    pts = []
    for i in range(teeth * 4):
        a = 2 * math.pi * i / (teeth * 4)
        r = r_out if (i % 4) in (1, 2) else r_in
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    body = p.poly(pts) - p.circle(cx, cy, hole)
    p.filled(body, colour, INK, 1.3)


# Main tool bar (16 and 32) ----------------------------------------------------

def tool_new(p):
    page(p, 6, 2, 26, 30, fold=7)


def tool_table(p):
    grid(p, 3, 5, 29, 27, 3, 4)


def tool_digits(p):
    p.filled(p.rect(2, 6, 30, 26, 3), DARK, INK, 1.2)
    p.text("12", 16, 16, 12, LIME, 2.4)


def tool_information(p):
    round_badge(p, BLUE)
    p.dot(16, 9, 2.4, WHITE)
    p.line([(16, 14), (16, 24)], WHITE, 4.2)


def tool_delete_last(p):
    grid(p, 3, 3, 22, 25, 2, 4)
    p.fill(p.rect(3.8, 19.6, 21.2, 24.2), PINK)
    p.line([(17, 17), (29, 29)], RED, 4)
    p.line([(29, 17), (17, 29)], RED, 4)


def tool_copy_graph(p):
    page(p, 3, 2, 19, 22, fold=4)
    page(p, 12, 9, 29, 30, fold=4)
    p.line([(15, 26), (15, 14)], INK, 1.2)
    p.line([(15, 26), (26, 26)], INK, 1.2)
    trace(p, [(16, 24), (19, 19), (22, 21), (26, 14)], BLUE, 2.2)


def tool_copy_table(p):
    page(p, 3, 2, 19, 22, fold=4)
    page(p, 12, 9, 29, 30, fold=4)
    grid(p, 14.5, 14, 26.5, 27, 2, 3, w=1.0)


def tool_auto_zoom(p):
    magnifier(p, "+")


def tool_default_zoom(p):
    magnifier(p, "-")


def tool_annotate(p):
    bubble = p.rect(2, 4, 30, 22, 4) | p.poly([(8, 20), (7, 29), (16, 20)])
    p.filled(bubble, rgb("fff4c8"), INK, 1.6)
    p.line([(7, 10), (25, 10)], INK, 1.6)
    p.line([(7, 15.5), (20, 15.5)], INK, 1.6)


def tool_gauge(p):
    p.filled(p.rect(2, 6, 30, 27, 4), PAPER, INK, 1.5)
    face = arc_points(16, 23, 10, 10, 200, 340)
    p.line(face[:8], GREEN, 3.2)
    p.line(face[7:13], AMBER, 3.2)
    p.line(face[12:], RED, 3.2)
    p.line([(16, 23), (22, 13)], INK, 2.2)
    p.dot(16, 23, 2.4, INK)


def tool_notes(p):
    p.filled(p.rect(5, 4, 27, 30, 2), rgb("fff4c8"), INK, 1.5)
    p.fill(p.rect(5, 4, 27, 9, 2), AMBER)
    p.outline(p.rect(5, 4, 27, 30, 2), INK, 1.5)
    for y in (14, 19, 24):
        p.line([(9, y), (23, y)], MID, 1.5)


MAIN_TOOLS = {
    "new": tool_new,
    "table": tool_table,
    "digits": tool_digits,
    "information": tool_information,
    "deletelast": tool_delete_last,
    "copygraph": tool_copy_graph,
    "copytable": tool_copy_table,
    "autozoom": tool_auto_zoom,
    "defaultzoom": tool_default_zoom,
    "annotate": tool_annotate,
    "gauge": tool_gauge,
    "notes": tool_notes,
}


# Side, activity and help bars (32 and 48) --------------------------------------

def side_open(p):
    back = p.poly([(3, 8), (12, 8), (15, 11), (27, 11), (27, 27), (3, 27)])
    p.filled(back, rgb("d8901a"), INK, 1.4)
    page(p, 8, 5, 24, 22, fold=0, w=1.2)
    front = p.poly([(3, 27), (7, 15), (30, 15), (26, 27)])
    p.filled(front, YELLOW, INK, 1.4)


def side_save(p):
    p.filled(p.rect(4, 4, 28, 28, 2.5), BLUE, rgb("1e3a5f"), 1.4)
    p.fill(p.rect(9, 4.8, 22, 12), LIGHT)
    p.fill(p.rect(17.5, 6, 20.5, 11), BLUE)
    p.filled(p.rect(8, 16, 24, 27.2, 1), PAPER, rgb("1e3a5f"), 1.0)
    p.line([(11, 20), (21, 20)], MID, 1.3)
    p.line([(11, 23.5), (21, 23.5)], MID, 1.3)


def side_print(p):
    p.filled(p.rect(9, 3, 23, 13), PAPER, INK, 1.3)
    p.filled(p.rect(3, 11, 29, 24, 3), rgb("8795a6"), INK, 1.4)
    p.dot(24.5, 15.5, 1.5, LIME)
    p.filled(p.rect(8.5, 19, 23.5, 29.5), PAPER, INK, 1.3)
    p.line([(11.5, 23), (20.5, 23)], MID, 1.2)
    p.line([(11.5, 26), (18, 26)], MID, 1.2)


def side_start(p):
    round_badge(p, GREEN)
    p.fill(p.poly([(12, 8.5), (24.5, 16), (12, 23.5)]), WHITE)


def side_stop(p):
    round_badge(p, RED)
    p.fill(p.rect(10, 10, 22, 22, 1.5), WHITE)


def side_help(p):
    round_badge(p, BLUE)
    p.text("?", 16, 15.5, 15, WHITE, 3.0)


def camera(p, x0=2, y0=8, x1=30, y1=27, colour=rgb("4c5a6b")):
    body = p.rect(x0, y0, x1, y1, 3) | p.rect(x0 + 8, y0 - 3.5, x0 + 16, y0 + 2, 1.5)
    p.filled(body, colour, INK, 1.4)
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2 + 0.5
    r = (y1 - y0) * 0.34
    p.filled(p.circle(cx, cy, r), SKY, INK, 1.4)
    p.dot(cx - r * 0.3, cy - r * 0.3, r * 0.28, WHITE)
    p.dot(x1 - 4, y0 + 3.5, 1.3, YELLOW)


def side_snapshot(p):
    camera(p)


def side_autolog(p):
    p.filled(p.rect(2, 3, 30, 29, 2), PAPER, INK, 1.4)
    p.line([(6, 7), (6, 25), (27, 25)], INK, 1.4)
    trace(p, [(7, 22), (11, 18), (15, 19), (19, 13), (23, 14), (27, 8)], GREEN, 2.6)
    for x, y in [(11, 18), (19, 13), (27, 8)]:
        p.dot(x, y, 1.7, GREEN)


def side_scope(p):
    p.filled(p.rect(2, 4, 30, 28, 3), rgb("5b6878"), INK, 1.4)
    p.fill(p.rect(5, 7, 23, 25, 1.5), SCREEN)
    for x in (9.5, 14, 18.5):
        p.line([(x, 7), (x, 25)], rgb("2f6a4b"), 0.6, least=0.6)
    p.line([(5, 16), (23, 16)], rgb("2f6a4b"), 0.6, least=0.6)
    trace(p, sine(5.5, 22.5, 16, 5.5, 1.5), LIME, 1.8)
    p.dot(26.5, 11, 1.8, LIGHT)
    p.dot(26.5, 17, 1.8, LIGHT)
    p.dot(26.5, 23, 1.2, RED)


def side_setup(p):
    gear(p, 13, 13, 10.5, 8, 8, rgb("8795a6"), 3.2)
    gear(p, 23.5, 23.5, 6.5, 4.8, 6, AMBER, 2.0)


def side_fetch(p):
    p.filled(p.rect(7, 2, 25, 13, 2), TEAL, INK, 1.3)
    p.fill(p.rect(10, 4.5, 22, 8.5, 1), SCREEN)
    p.filled(p.poly([(3, 21), (3, 29), (29, 29), (29, 21), (23, 21), (21, 25), (11, 25), (9, 21)]),
             LIGHT, INK, 1.4)
    p.fill(p.poly([(12.5, 14), (19.5, 14), (19.5, 18), (23, 18), (16, 25), (9, 18), (12.5, 18)]), GREEN)


def side_level(n):
    def draw(p):
        for i in range(4):
            x0 = 3.5 + i * 6.6
            top = 23 - i * 5.5 - 3
            shape = p.rect(x0, top, x0 + 5.2, 28, 1)
            if i < n:
                p.filled(shape, BLUE, rgb("1e3a5f"), 1.0)
            else:
                p.filled(shape, LIGHT, MID, 1.0)
    return draw


SIDE_FILES = {  # file name stem -> drawing; "sb" and "rb" stems as the resources name them
    "sb{}open": side_open,
    "sb{}save": side_save,
    "sb{}print": side_print,
    "sb{}start": side_start,
    "sb{}stop": side_stop,
    "sb{}help": side_help,
    "sb{}snapshot": side_snapshot,
    "sb{}autolog": side_autolog,
    "sb{}scope": side_scope,
    "rb{}setup": side_setup,
    "sb{}fetch": side_fetch,
}

SIDE_BUILTIN = {"level{}".format(n): side_level(n) for n in range(1, 5)}


# Single pictures ------------------------------------------------------------

def timing_object(bars):
    # 36 by 20, one colour: a base strip 32 by 3 near the bottom carrying
    # bars 13 high, centred.
    def draw(p):
        colour = INK
        p.fill(p.rect(2, 16, 34, 19), colour)
        if bars == 1:
            spans = [(6, 30)]
        elif bars == 2:
            spans = [(5.5, 14.5), (21.5, 30.5)]
        else:
            spans = [(4, 8), (12, 16), (20, 24), (28, 32)]
        for x0, x1 in spans:
            p.fill(p.rect(x0, 3, x1, 16), colour)
    return draw


def small_cross(p):
    p.line([(1.2, 1.2), (5.8, 5.8)], RED, 1.6)
    p.line([(5.8, 1.2), (1.2, 5.8)], RED, 1.6)


def small_refresh(p):
    p.line(arc_points(5.5, 5.5, 3.8, 3.8, -60, 230), BLUE, 1.5)
    p.fill(p.poly([(6.5, 0.2), (10.6, 2.4), (7.0, 5.0)]), BLUE)


# Icons (32 by 32) ---------------------------------------------------------------

def icon_app(p, detail=True):
    p.filled(p.rect(1.5, 1.5, 30.5, 30.5, 6), BLUE, rgb("1e4f86"), 1.2, least=0.8)
    if detail:
        for y in (9.5, 16, 22.5):
            p.line([(6.5, y), (26, y)], rgb("5b9ee0"), 0.7, least=0.6)
    p.line([(6.5, 6), (6.5, 25.5), (26.5, 25.5)], WHITE, 1.8)
    trace(p, [(7.5, 21), (12, 16.5), (16, 18.5), (20.5, 11), (25.5, 8)], YELLOW, 2.6)
    for x, y in [(12, 16.5), (20.5, 11)]:
        p.dot(x, y, 1.9, YELLOW)


def battery(level):
    def draw(p):
        p.fill(p.rect(27, 12.5, 30, 19.5, 1), INK)
        p.filled(p.rect(2, 8, 27.5, 24, 2.5), PAPER, INK, 1.8)
        colour = RED if level <= 1 else (AMBER if level <= 3 else GREEN)
        for i in range(level):
            x0 = 4.6 + i * 3.15
            p.fill(p.rect(x0, 10.6, x0 + 2.55, 21.4, 0.5), colour)
    return draw


def mains(p):
    p.line([(3, 24), (9, 24), (12, 20)], INK, 2.2)
    p.filled(p.rect(11, 11, 24, 25, 3), rgb("8795a6"), INK, 1.5)
    p.line([(24, 14.5), (30, 14.5)], INK, 2.4)
    p.line([(24, 21.5), (30, 21.5)], INK, 2.4)
    p.fill(p.poly([(18.5, 12.5), (14, 19), (17, 19), (15.5, 24), (21, 17), (17.8, 17), (19.8, 12.5)]), YELLOW)


def logger(body, label, shape="box"):
    def draw(p):
        if shape == "meter":
            p.filled(p.rect(8, 2, 24, 30, 4), body, INK, 1.4)
            p.fill(p.rect(10.5, 5, 21.5, 13, 1.2), SCREEN)
            p.text(label, 16, 9, 5, LIME, 1.3)
            p.filled(p.circle(16, 21, 4.5), LIGHT, INK, 1.2)
            p.line([(16, 21), (18.5, 18.5)], INK, 1.4)
            return
        p.filled(p.rect(2, 6, 30, 27, 3.5), body, INK, 1.4)
        p.fill(p.rect(5, 9, 27, 19, 1.5), SCREEN)
        p.text(label, 16, 14, 6.5, LIME, 1.6)
        for x in (8, 14, 20, 26):
            p.filled(p.circle(x - 1, 23, 1.6), LIGHT, INK, 0.8, least=0.7)
    return draw


LOGGERS = {  # slot -> drawing
    10: logger(MID, "?"),
    11: logger(TEAL, "C"),
    12: logger(ORANGE, "P", "meter"),
    13: logger(PURPLE, "L"),
    14: logger(BLUE, "T"),
    15: logger(GREEN, "M"),
    16: logger(BROWN, "3"),
    17: logger(rgb("7d8a99"), "2"),
    18: logger(RED, "Z"),
    19: logger(rgb("3d4b5c"), "K"),
    20: logger(BLUE, "T2"),
    63: logger(rgb("1f7a3f"), "M+"),
}


def s_default(p):
    p.filled(p.rect(11, 2, 21, 17, 2.5), rgb("8795a6"), INK, 1.4)
    p.filled(p.rect(13.5, 17, 18.5, 27, 1), LIGHT, INK, 1.2)
    p.fill(p.poly([(13.5, 27), (18.5, 27), (16, 31)]), INK)
    p.line([(16, 2), (16, 0.5)], INK, 1.5)


def s_text(label, colour, height=11, w=2.4, ring=True):
    def draw(p):
        if ring:
            p.filled(p.circle(16, 16, 14), PAPER, colour, 2.2)
        p.text(label, 16, 16, height, colour, w)
    return draw


def s_temp(letter=None):
    def draw(p):
        p.filled(p.rect(12.5, 2, 19.5, 22, 3.5) | p.circle(16, 24.5, 6), PAPER, INK, 1.5)
        p.fill(p.rect(14.6, 10, 17.4, 24), RED)
        p.dot(16, 24.5, 3.8, RED)
        for y in (6, 10, 14):
            p.line([(19.5, y), (22, y)], INK, 1.2)
        if letter:
            p.text(letter, 26, 24, 8, BLUE, 1.8)
    return draw


def s_light(p):
    for i in range(8):
        a = math.pi * 2 * i / 8
        p.line([(16 + 9.5 * math.cos(a), 16 + 9.5 * math.sin(a)),
                (16 + 14 * math.cos(a), 16 + 14 * math.sin(a))], AMBER, 2.2)
    p.filled(p.circle(16, 16, 7), YELLOW, AMBER, 1.6)


def s_loop(p):
    for cx in (9, 16, 23):
        p.line(arc_points(cx, 16, 5, 9, 0, 360), rgb("b0641d"), 2.2)
    p.line([(2, 16), (4, 16)], INK, 2)
    p.line([(28, 16), (30, 16)], INK, 2)


def s_magnet(p):
    outer = p.circle(16, 14, 12) | p.rect(4, 14, 28, 29)
    inner = p.circle(16, 14, 5) | p.rect(11, 14, 21, 30)
    body = outer - inner
    p.filled(body, RED, INK, 1.4)
    p.fill(p.rect(4.7, 23, 10.3, 28.3), LIGHT)
    p.fill(p.rect(21.7, 23, 27.3, 28.3), LIGHT)
    p.outline(body, INK, 1.4)


def s_sound(p):
    p.text("dB", 16, 16, 11, PURPLE, 2.4)
    p.line(arc_points(16, 16, 14, 14, -40, 40), PURPLE, 1.6)
    p.line(arc_points(16, 16, 14, 14, 140, 220), PURPLE, 1.6)


def s_ultrasound(p):
    p.filled(p.rect(2, 10, 9, 22, 1.5), rgb("8795a6"), INK, 1.3)
    for r in (6, 11, 16, 21):
        p.line(arc_points(9, 16, r, r, -40, 40), TEAL, 2)


def s_lightswitch(p):
    for i in range(6):
        a = math.pi + math.pi * i / 5
        p.line([(16 + 7.5 * math.cos(a), 12 + 7.5 * math.sin(a)),
                (16 + 10.5 * math.cos(a), 12 + 10.5 * math.sin(a))], AMBER, 1.8)
    p.filled(p.circle(16, 12, 5), YELLOW, AMBER, 1.4)
    p.filled(p.rect(6, 20, 26, 29, 4.5), LIGHT, INK, 1.4)
    p.filled(p.circle(21.5, 24.5, 3.2), GREEN, INK, 1.1)


def s_heart(p):
    pts = arc_points(10.5, 11.5, 6.5, 6.5, 140, 360) + arc_points(21.5, 11.5, 6.5, 6.5, 180, 400) + [(16, 28)]
    p.filled(p.poly(pts), RED, rgb("8f1f18"), 1.4)
    p.line([(7, 16), (12, 16), (14, 11), (17, 21), (19, 15), (25, 15)], WHITE, 1.6)


def s_onoff(p):
    p.filled(p.rect(3, 9, 29, 23, 7), GREEN, INK, 1.4)
    p.filled(p.circle(22, 16, 5.2), PAPER, INK, 1.3)
    p.text("i", 10, 16, 8, WHITE, 2)


def s_position(p):
    p.filled(p.rect(2, 17, 30, 27, 1), YELLOW, INK, 1.3)
    for i, x in enumerate(range(5, 29, 3)):
        p.line([(x, 17), (x, 20.5 if i % 2 else 22.5)], INK, 1)
    p.line([(5, 9), (27, 9)], BLUE, 2.2)
    p.fill(p.poly([(2, 9), (8, 4.5), (8, 13.5)]), BLUE)
    p.fill(p.poly([(30, 9), (24, 4.5), (24, 13.5)]), BLUE)


def drop(p, cx, cy, r, colour, edge=INK, w=1.4):
    pts = arc_points(cx, cy, r, r, -20, 200) + [(cx, cy - r * 2.3)]
    p.filled(p.poly(pts), colour, edge, w)


def s_humidity(p):
    drop(p, 13, 18, 9, SKY, rgb("1e4f86"))
    p.text("%", 24.5, 24, 8, INK, 1.6)


def s_switch(p):
    p.line([(2, 22), (9, 22)], INK, 2)
    p.line([(23, 22), (30, 22)], INK, 2)
    p.dot(9, 22, 2.5, INK)
    p.dot(23, 22, 2.5, INK)
    p.line([(9, 22), (22, 10)], INK, 2.2)


def stopwatch(p, hand_to):
    p.fill(p.rect(13, 1.5, 19, 4.5, 1), INK)
    p.line([(16, 4), (16, 6.5)], INK, 2)
    p.line([(24.5, 7), (26.5, 5)], INK, 2.2)
    p.filled(p.circle(16, 18, 12), PAPER, INK, 2)
    for i in range(12):
        a = 2 * math.pi * i / 12
        p.line([(16 + 8.5 * math.cos(a), 18 + 8.5 * math.sin(a)), (16 + 10 * math.cos(a), 18 + 10 * math.sin(a))],
               INK, 1)
    p.line([(16, 18), hand_to], RED, 1.8)
    p.dot(16, 18, 1.6, INK)


def s_stop(p):
    stopwatch(p, (21.5, 12))


def s_time(p):
    p.filled(p.circle(16, 16, 14), PAPER, INK, 2)
    for i in range(12):
        a = 2 * math.pi * i / 12
        p.line([(16 + 10.5 * math.cos(a), 16 + 10.5 * math.sin(a)),
                (16 + 12 * math.cos(a), 16 + 12 * math.sin(a))], INK, 1.2)
    p.line([(16, 16), (16, 7)], INK, 2)
    p.line([(16, 16), (22, 19)], INK, 2)
    p.dot(16, 16, 1.8, RED)


def s_windspeed(p):
    p.line([(2, 9)] + arc_points(22, 6, 4, 3.5, 90, -180)[::-1][::-1], BLUE, 2.2)
    p.line([(2, 9), (22, 9.5)], BLUE, 2.2)
    p.line(arc_points(22, 6, 3.5, 3.5, 90, -200), BLUE, 2.2)
    p.line([(2, 16), (27, 16)], SKY, 2.2)
    p.line([(2, 23), (18, 23)], BLUE, 2.2)
    p.line(arc_points(18, 26.5, 3.5, 3.5, -90, 200), BLUE, 2.2)


def meter_face(kind):
    def draw(p):
        p.filled(p.rect(2, 4, 30, 28, 3), PAPER, INK, 1.5)
        if kind == 1:
            p.line(arc_points(16, 24, 11, 11, 205, 335), INK, 1.5)
            for i in range(6):
                a = math.radians(205 + 130 * i / 5)
                p.line([(16 + 11 * math.cos(a), 24 + 11 * math.sin(a)),
                        (16 + 8.5 * math.cos(a), 24 + 8.5 * math.sin(a))], INK, 1.1)
            p.line([(16, 24), (21, 13)], RED, 1.8)
            p.dot(16, 24, 2, INK)
        elif kind == 2:
            for i, h in enumerate((6, 10, 14, 18)):
                x0 = 6 + i * 5.5
                p.fill(p.rect(x0, 24 - h, x0 + 4, 24), GREEN if i < 3 else LIGHT)
            p.line([(5, 24.5), (27, 24.5)], INK, 1.2)
        else:
            p.fill(p.rect(4.5, 8, 27.5, 24, 1.5), DARK)
            p.text("88", 16, 16, 9, LIME, 2)
    return draw


def s_do2(p):
    drop(p, 16, 19, 10, SKY, rgb("1e4f86"))
    p.text("O2", 16, 21, 7, rgb("1e3a5f"), 1.6)


def s_gate(p):
    arm = p.rect(3, 5, 10, 29, 1.5) | p.rect(22, 5, 29, 29, 1.5) | p.rect(3, 23, 29, 29, 1.5)
    p.filled(arm, rgb("3d4b5c"), INK, 1.3)
    p.line([(10, 11), (22, 11)], RED, 1.8)
    p.dot(8, 11, 1.4, RED)


def s_conduct(p):
    p.filled(p.rect(6, 3, 11, 24, 1), rgb("b8c4cf"), INK, 1.2)
    p.filled(p.rect(21, 3, 26, 24, 1), rgb("b8c4cf"), INK, 1.2)
    for x in (13, 16, 19):
        p.line([(x - 1.5, 12), (x + 1.5, 15), (x - 1.5, 18)], AMBER, 1.4)
    p.line([(4, 27.5), (28, 27.5)], SKY, 2.4)


def s_accel(p):
    p.filled(p.rect(15, 9, 27, 23, 2), BLUE, INK, 1.3)
    for y, x0 in ((11.5, 7), (16, 3), (20.5, 7)):
        p.line([(x0, y), (12, y)], MID, 2)
    p.fill(p.poly([(27, 10.5), (31, 16), (27, 21.5)]), INK)


def s_colorimeter(p):
    p.filled(p.rect(10, 2, 22, 30, 1.5), PAPER, INK, 1.4)
    p.fill(p.rect(11, 12, 21, 29, 1), rgb("d05a9a"))
    p.line([(2, 20), (9, 20)], YELLOW, 2)
    p.line([(23, 20), (30, 20)], rgb("d05a9a"), 2)


def s_waterflow(p):
    p.filled(p.rect(2, 9, 30, 23, 2), LIGHT, INK, 1.4)
    p.line([(6, 16), (24, 16)], BLUE, 2.4)
    p.fill(p.poly([(26, 16), (20, 11.5), (20, 20.5)]), BLUE)
    drop(p, 9, 27.5, 2.2, SKY, rgb("1e4f86"), 0.8)


def s_direct(p):
    p.filled(p.circle(16, 16, 14), PAPER, INK, 1.8)
    p.fill(p.poly([(16, 4), (20, 16), (12, 16)]), RED)
    p.fill(p.poly([(16, 28), (20, 16), (12, 16)]), MID)
    p.dot(16, 16, 1.6, INK)


def s_output(p):
    p.filled(p.rect(2, 7, 17, 25, 2), LIGHT, INK, 1.4)
    p.line([(12, 16), (25, 16)], GREEN, 3)
    p.fill(p.poly([(30, 16), (23, 10), (23, 22)]), GREEN)


def s_force(p):
    p.filled(p.rect(17, 8, 29, 26, 1.5), rgb("b0886a"), INK, 1.4)
    p.line([(2, 17), (11, 17)], RED, 3)
    p.fill(p.poly([(16.5, 17), (10, 11), (10, 23)]), RED)
    p.text("N", 23, 17, 7, WHITE, 1.6)


def bulb(p):
    glass = p.circle(16, 12, 9.5) | p.rect(11.5, 14, 20.5, 22, 1)
    p.filled(glass, YELLOW, AMBER, 1.5)
    p.line([(13, 15), (14.5, 11), (16, 15), (17.5, 11), (19, 15)], AMBER, 1.1)
    p.filled(p.rect(11.5, 21.5, 20.5, 28, 1.2), MID, INK, 1.2)
    p.line([(11.5, 24.5), (20.5, 24.5)], INK, 1)
    p.fill(p.rect(14, 28, 18, 30.5, 1), INK)


def s_count(p):
    p.filled(p.rect(2, 7, 30, 25, 2.5), DARK, INK, 1.2)
    p.text("123", 16, 16, 9, LIME, 1.8)


def s_period(p):
    p.line(sine(2, 30, 13, 7, 1.0), BLUE, 2)
    p.line([(3, 25), (29, 25)], INK, 1.4)
    p.line([(3, 21.5), (3, 28.5)], INK, 1.4)
    p.line([(29, 21.5), (29, 28.5)], INK, 1.4)
    p.fill(p.poly([(3.5, 25), (8, 22.5), (8, 27.5)]), INK)
    p.fill(p.poly([(28.5, 25), (24, 22.5), (24, 27.5)]), INK)


def s_balance(p):
    p.fill(p.rect(14.5, 6, 17.5, 26), INK)
    p.fill(p.rect(8, 26, 24, 29, 1), INK)
    p.line([(4, 8), (28, 8)], INK, 2)
    for cx in (6.5, 25.5):
        p.line([(cx, 8), (cx - 4, 18)], MID, 1)
        p.line([(cx, 8), (cx + 4, 18)], MID, 1)
        p.filled(p.poly(arc_points(cx, 18, 5, 3.5, 0, 180)), AMBER, INK, 1.2)
    p.dot(16, 5, 2, INK)


def s_radiate(p):
    p.fill(p.circle(16, 16, 14.5), YELLOW)
    for a0 in (-120, 0, 120):
        blade = p.poly([(16, 16)] + arc_points(16, 16, 12.5, 12.5, a0 - 30, a0 + 30)) - p.circle(16, 16, 4)
        p.fill(blade, INK)
    p.dot(16, 16, 2.5, INK)
    p.outline(p.circle(16, 16, 14.5), INK, 1.3)


def s_wireless(p):
    p.fill(p.poly([(16, 16), (11, 30), (21, 30)]), INK)
    p.dot(16, 15, 2.6, INK)
    for r in (6, 10.5):
        p.line(arc_points(16, 15, r, r, -150, -30), BLUE, 2)


def s_tick(p):
    p.line([(4, 17), (12, 25), (28, 7)], GREEN, 4.5)


def s_cross(p):
    p.line([(6, 6), (26, 26)], RED, 4.5)
    p.line([(26, 6), (6, 26)], RED, 4.5)


def s_popup(p):
    p.filled(p.rect(3, 3, 29, 29, 2), PAPER, INK, 1.4)
    p.fill(p.rect(4, 4, 28, 11), SKY)
    p.fill(p.poly([(20, 6), (26, 6), (23, 9.5)]), INK)
    for y in (15.5, 20, 24.5):
        p.line([(7, y), (22, y)], MID, 1.6)


def s_rain(p):
    cloud = p.circle(11, 13, 6) | p.circle(18, 10, 7.5) | p.circle(24.5, 14, 5) | p.rect(6, 13, 27, 19, 3)
    p.filled(cloud, LIGHT, STEEL, 1.4)
    for x in (9, 16, 23):
        p.line([(x + 1, 22), (x - 1, 28)], BLUE, 2)


def s_mike(p):
    p.filled(p.rect(11, 2, 21, 19, 5), rgb("5b6878"), INK, 1.4)
    for y in (7, 10.5, 14):
        p.line([(13.5, y), (18.5, y)], LIGHT, 1)
    p.line(arc_points(16, 14, 8.5, 8.5, 0, 180), INK, 1.8)
    p.line([(16, 22.5), (16, 28)], INK, 1.8)
    p.line([(10, 29), (22, 29)], INK, 2)


def s_breath(p):
    p.filled(p.poly(arc_points(10, 18, 7, 11, 90, 280) + [(14, 10), (14, 28)]), PINK, rgb("a8423a"), 1.4)
    p.filled(p.poly(arc_points(22, 18, 7, 11, -100, 90) + [(18, 28), (18, 10)]), PINK, rgb("a8423a"), 1.4)
    p.line([(16, 2), (16, 13)], rgb("a8423a"), 2)
    p.line([(16, 12), (13, 15)], rgb("a8423a"), 1.6)
    p.line([(16, 12), (19, 15)], rgb("a8423a"), 1.6)


def s_speaker(p):
    p.filled(p.poly([(3, 12), (9, 12), (17, 5), (17, 27), (9, 20), (3, 20)]), rgb("5b6878"), INK, 1.4)
    for r in (5, 9.5):
        p.line(arc_points(18, 16, r, r, -50, 50), INK, 1.8)


def s_bell(p):
    body = p.poly(arc_points(16, 13, 8.5, 9, 180, 360) + [(25, 22), (28, 25), (4, 25), (7, 22)])
    p.filled(body, YELLOW, AMBER, 1.5)
    p.dot(16, 27.5, 2.5, AMBER)
    p.dot(16, 3.5, 1.8, AMBER)


def s_sinewave(p):
    p.line([(2, 16), (30, 16)], MID, 1.2)
    p.line(sine(2, 30, 16, 10, 1.0), PURPLE, 2.4)


SENSORS = {  # icon name -> (slot, drawing)
    "AirPres": (22, meter_face(1)),
    "Current": (23, s_text("A", RED)),
    "Light": (24, s_light),
    "Loop": (25, s_loop),
    "Magnet": (26, s_magnet),
    "pH": (27, s_text("pH", GREEN, 10, 2.2)),
    "Sound": (28, s_sound),
    "Temp": (29, s_temp()),
    "TempK": (30, s_temp("K")),
    "Ultrasnd": (31, s_ultrasound),
    "Voltage": (32, s_text("V", BLUE)),
    "LightSw": (33, s_lightswitch),
    "Heart": (34, s_heart),
    "Frequenc": (35, s_text("Hz", TEAL, 10, 2.2)),
    "OnOff": (36, s_onoff),
    "Position": (37, s_position),
    "Humidity": (38, s_humidity),
    "Switch": (39, s_switch),
    "Stop": (40, s_stop),
    "Percent": (41, s_text("%", ORANGE, 12, 2.4)),
    "WindSp": (42, s_windspeed),
    "Meter3": (43, meter_face(3)),
    "DO2": (44, s_do2),
    "Gate": (45, s_gate),
    "Conduct": (46, s_conduct),
    "Accln": (47, s_accel),
    "Colorim": (48, s_colorimeter),
    "WaterFlo": (49, s_waterflow),
    "Direct": (50, s_direct),
    "Output": (51, s_output),
    "Force": (52, s_force),
    "Bulb": (53, bulb),
    "Count": (54, s_count),
    "Period": (55, s_period),
    "Balance": (56, s_balance),
    "Time": (57, s_time),
    "Radiate": (58, s_radiate),
    "Wireless": (59, s_wireless),
    "Tick": (60, s_tick),
    "Cross": (61, s_cross),
    "Popup": (62, s_popup),
    "Rain": (64, s_rain),
    "Mike": (65, s_mike),
    "Breath": (66, s_breath),
    "Mains": (67, mains),
    "Camera": (68, lambda p: camera(p, 2, 9, 30, 27)),
    "Speaker": (69, s_speaker),
    "Meter1": (70, meter_face(1)),
    "Meter2": (71, meter_face(2)),
    "Bell": (72, s_bell),
    "SineWave": (73, s_sinewave),
}


def drop_down(p):
    # 32 by 32: a downward triangle, black outline, white top edge, grey inside.
    tri = p.poly([(5, 10), (27, 10), (16, 23)])
    p.fill(tri, rgb("b9bec4"))
    p.outline(tri, BLACK, 1.4)
    p.line([(6.5, 11.3), (25.5, 11.3)], WHITE, 1.2)


# The oscilloscope picture: a bench oscilloscope whose screen fills 15 % to
# 85 % of both sides, where the view draws its grid and traces.

def scope_picture(path):
    p = Picture(320, 200, design=320)
    p.fill(p.rect(6, 4, 314, 196, 16), rgb("596676"))
    p.fill(p.rect(10, 8, 310, 192, 13), rgb("6d7b8c"))
    p.fill(p.rect(40, 22, 280, 178, 8), rgb("2a323c"))
    p.fill(p.rect(48, 30, 272, 170, 4), rgb("0f2a1e"))
    for x, y in ((295, 60), (295, 100), (295, 140)):
        p.fill(p.circle(x, y, 11), rgb("2a323c"))
        p.fill(p.circle(x, y, 8.5), rgb("b9c3cd"))
        p.fill(p.rect(x - 1.5, y - 8, x + 1.5, y - 2), rgb("2a323c"))
    p.fill(p.circle(25, 170, 6), rgb("8fd19e"))
    for y in (40, 60):
        p.fill(p.rect(18, y, 32, y + 8, 2), rgb("b9c3cd"))
    # Outside the case, the colour the panel takes from the top-left pixel.
    background = rgb("e4e8ec")
    rows = []
    for y in range(p.h):
        row = bytearray()
        for x in range(p.w):
            r, g, b, a = p.px[y * p.w + x]
            row += bytes(int(round((c + bg * (1 - a)) * 255)) for c, bg in zip((r, g, b), background))
        rows.append(bytes(row))
    write_png(path, p.w, p.h, rows, colour_type=2)


# Output ------------------------------------------------------------------------

def render(draw, width, height=None, design=32.0):
    p = Picture(width, height, design)
    draw(p)
    return p


def main():
    os.makedirs(BUILTIN, exist_ok=True)
    os.makedirs(BITMAPS, exist_ok=True)
    os.makedirs(DESKTOP, exist_ok=True)
    written = []

    def out(folder, name, picture):
        path = os.path.join(folder, name + ".png")
        picture.save(path)
        written.append(path)

    for name, draw in MAIN_TOOLS.items():
        out(BUILTIN, "tool16-" + name, render(draw, 16))
        out(BUILTIN, "tool32-" + name, render(draw, 32))
    for name, draw in SIDE_BUILTIN.items():
        out(BUILTIN, "side32-" + name, render(draw, 32))
        out(BUILTIN, "side48-" + name, render(draw, 48))
    for stem, draw in SIDE_FILES.items():
        out(BITMAPS, stem.format(32), render(draw, 32))
        out(BITMAPS, stem.format(48), render(draw, 48))
    for n, bars in enumerate((1, 2, 4)):
        out(BUILTIN, "picture-bars{}".format(bars), render(timing_object(bars), 36, 20, 36))
    out(BUILTIN, "picture-cross7", render(small_cross, 7, 7, 7))
    out(BUILTIN, "picture-refresh11", render(small_refresh, 11, 11, 11))
    out(BUILTIN, "icon-app", render(icon_app, 32))
    for level in range(8):
        out(BUILTIN, "icon-state{}".format(level), render(battery(level), 32))
    out(BUILTIN, "icon-state8", render(mains, 32))
    for slot, draw in LOGGERS.items():
        out(BUILTIN, "icon-logger{}".format(slot), render(draw, 32))
    out(BUILTIN, "icon-sensor-default", render(s_default, 32))
    for name, (slot, draw) in SENSORS.items():
        out(BUILTIN, "icon-sensor-" + name.lower(), render(draw, 32))
    out(BUILTIN, "dropdown", render(drop_down, 32))
    for size in (32, 48, 64, 128, 256):
        out(DESKTOP, "quorvanti-{}".format(size), render(lambda p: icon_app(p, size >= 48), size))
    scope = os.path.join(BITMAPS, "scope.png")
    scope_picture(scope)
    written.append(scope)

    if len(sys.argv) == 3 and sys.argv[1] == "--sheet":
        contact_sheet(sys.argv[2], [w for w in written if "-256" not in w and "-128" not in w])


def contact_sheet(path, files, zoom=3, per_row=12, cell=160):
    cells = []
    for f in files:
        w, h, rows = read_png_rgba(f) if not f.endswith("scope.png") else (0, 0, [])
        if w:
            cells.append((w, h, rows))
    n_rows = (len(cells) + per_row - 1) // per_row
    width, height = per_row * cell, n_rows * cell
    sheet = [bytearray(b"\xff\xff\xff" * width) for _ in range(height)]
    for i, (w, h, rows) in enumerate(cells):
        zoom = max(1, min(3, cell // max(w, h)))
        ox = (i % per_row) * cell + (cell - w * zoom) // 2
        oy = (i // per_row) * cell + (cell - h * zoom) // 2
        for y in range(h * zoom):
            src = rows[y // zoom]
            line = sheet[oy + y]
            for x in range(w * zoom):
                k = (x // zoom) * 4
                a = src[k + 3] / 255.0
                bg = 0.93 if ((x // 8 + y // 8) % 2) else 1.0
                for c in range(3):
                    line[(ox + x) * 3 + c] = int(round(src[k + c] * a + 255 * bg * (1 - a)))
    write_png(path, width, height, [bytes(r) for r in sheet], colour_type=2)


if __name__ == "__main__":
    main()
