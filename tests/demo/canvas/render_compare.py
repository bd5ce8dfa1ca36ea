# Holds the demo's drawing of whole drawings against an independent
# renderer (ezdxf's drawing add-on with matplotlib): both draw a drawing's
# model space into pictures of one size (1600 by 1000 pixels unless told)
# over one area, the demo with "kvcc-demo --render ... --text-boxes --thin"
# (which prints the area), the other here with texts as filled boxes as well
# and every line solid and one pixel wide. Of the pixels either side drew, the share that lies within 2
# pixels of one the other side drew must be at least 95% both ways.
#
# The drawings are the shared ones (when their folder exists) and the cases
# below, written with ezdxf into a temporary folder. Exits 77 (skipped) when
# ezdxf or matplotlib is missing.
#   render_compare.py KVCC_DEMO [SHARED_DXF_DIR] [--keep DIR] [--only NAME] [--size WxH]
import argparse
import logging
import math
import os
import subprocess
import sys
import tempfile
import time

SKIP = 77
# The kinds of model space the demo draws; the rest (tables, images,
# multilines, 3D solids...) it counts and names instead.
DRAWN = {"LINE", "POINT", "CIRCLE", "ARC", "ELLIPSE", "LWPOLYLINE", "POLYLINE", "TEXT", "MTEXT", "SOLID", "TRACE",
         "3DFACE", "SPLINE", "HATCH", "INSERT", "DIMENSION", "LEADER", "MULTILEADER"}
SIZE = (1600, 1000)
NEAR = 2        # pixels
REQUIRED = 95.0  # percent, both ways

try:
    import matplotlib
    matplotlib.use("Agg")
    import matplotlib.pyplot as plt
    import numpy as np
    import ezdxf
    from ezdxf import recover
    from ezdxf.addons.drawing.config import Configuration, HatchPolicy, LinePolicy
    from ezdxf.addons.drawing.frontend import Frontend
    from ezdxf.addons.drawing.matplotlib import MatplotlibBackend
    from ezdxf.addons.drawing.properties import RenderContext
    from ezdxf import bbox
    from ezdxf.math import Vec3
    from ezdxf.proxygraphic import ProxyGraphic
except ImportError as e:
    print("SKIP: ezdxf with matplotlib and numpy is needed for /usr/bin/python3 (%s)" % e)
    sys.exit(SKIP)
# Fonts missing here are replaced by matplotlib's own; texts are boxes anyway.
logging.getLogger("matplotlib.font_manager").setLevel(logging.ERROR)


class BoxTextBackend(MatplotlibBackend):
    """Draws each line of text as the filled box from its baseline up to its
    capital height, as wide as the line: fonts differ between renderers."""

    def draw_text(self, text, transform, properties, cap_height):
        if not text.strip():
            return
        width = self.get_text_line_width(text, cap_height, properties.font)
        corners = [(0, 0), (width, 0), (width, cap_height), (0, cap_height)]
        self.draw_filled_polygon(transform.transform_vertices(corners), properties)


# --- The written drawings -------------------------------------------------

def square_block(doc, name, base=(0, 0)):
    """A block of a square with a diagonal and a quarter arc, not symmetric,
    so that a mirror, a rotation or a lost base point shows."""
    block = doc.blocks.new(name, base_point=base)
    bx, by = base
    block.add_lwpolyline([(bx, by), (bx + 4, by), (bx + 4, by + 2), (bx, by + 2)], close=True)
    block.add_line((bx, by), (bx + 4, by + 2))
    block.add_arc((bx + 4, by + 2), 1.5, 90, 180)
    return block


def blocks_nested(doc, msp):
    square_block(doc, "SQ", (10, 5))
    outer = doc.blocks.new("PAIR", base_point=(-3, 1))
    outer.add_blockref("SQ", (10, 5))
    outer.add_blockref("SQ", (20, 5), dxfattribs={"rotation": 30, "xscale": 0.5, "yscale": 0.5})
    outer.add_circle((-3, 1), 1)
    msp.add_blockref("PAIR", (0, 0))
    msp.add_blockref("PAIR", (10, 30), dxfattribs={"rotation": 120})


def blocks_transformed(doc, msp):
    square_block(doc, "SQ", (7, -3))
    for i, (sx, sy, angle) in enumerate([(1, 1, 0), (-1, 1, 0), (1, -1, 45), (-2, 1, 60), (3, 0.5, -30), (0.5, 2, 200)]):
        msp.add_blockref("SQ", (12 * (i % 3), 12 * (i // 3)), dxfattribs={"xscale": sx, "yscale": sy, "rotation": angle})


def blocks_arrayed(doc, msp):
    square_block(doc, "SQ", (2, 2))
    msp.add_blockref("SQ", (0, 0), dxfattribs={"column_count": 4, "row_count": 3, "column_spacing": 6,
                                               "row_spacing": 4, "rotation": 20, "xscale": 1.2})
    msp.add_blockref("SQ", (40, 0), dxfattribs={"column_count": 3, "row_count": 2, "column_spacing": -7,
                                                "row_spacing": 5, "xscale": -1})


def blocks_attributes(doc, msp):
    block = square_block(doc, "TAG", (1, 1))
    block.add_attdef("NO", (1.5, 1.5), dxfattribs={"height": 0.5})
    for i, angle in enumerate([0, 90, 210]):
        ref = msp.add_blockref("TAG", (10 * i, 0), dxfattribs={"rotation": angle})
        ref.add_auto_attribs({"NO": "A%d" % i})


def dimensions(doc, msp):
    msp.add_line((0, 0), (20, 0))
    msp.add_circle((40, 10), 8)
    dims = [
        msp.add_linear_dim(base=(0, 5), p1=(0, 0), p2=(20, 0)),
        msp.add_linear_dim(base=(25, 5), p1=(22, 0), p2=(26, 10), angle=90),
        msp.add_aligned_dim(p1=(0, 10), p2=(15, 25), distance=3),
        msp.add_angular_dim_2l(base=(10, -12), line1=((0, -20), (20, -20)), line2=((0, -20), (15, -8))),
        msp.add_diameter_dim(center=(40, 10), radius=8, angle=30),
        msp.add_radius_dim(center=(40, 10), radius=8, angle=200),
        msp.add_ordinate_x_dim(feature_location=(30, -15), offset=(3, -6)),
        msp.add_ordinate_y_dim(feature_location=(30, -15), offset=(6, 3)),
    ]
    for dim in dims:
        dim.render()


def hatch_edges(doc, msp):
    hatch = msp.add_hatch(color=1)
    path = hatch.paths.add_edge_path()
    path.add_line((0, 0), (10, 0))
    path.add_arc((10, 5), 5, -90, 90)
    path.add_line((10, 10), (0, 10))
    path.add_ellipse((0, 5), (0, -5), 0.4, 90, 270, ccw=True)
    hole = hatch.paths.add_edge_path()
    hole.add_spline(fit_points=[(3, 3), (6, 2), (8, 5), (6, 8), (3, 7), (3, 3)])
    solid = msp.add_hatch(color=3)
    solid.paths.add_polyline_path([(20, 0, 0), (30, 0, 0.5), (30, 10, 0), (20, 10, -0.4)], is_closed=True)
    solid.paths.add_polyline_path([(23, 3), (27, 3), (27, 7), (23, 7)], is_closed=True)
    lines = msp.add_hatch(color=5)
    lines.set_pattern_fill("ANSI31", scale=0.5)
    edges = lines.paths.add_edge_path()
    for a, b in [((40, 0), (50, 0)), ((50, 0), (50, 10)), ((50, 10), (40, 4)), ((40, 4), (40, 0))]:
        edges.add_line(a, b)
    ellipse = msp.add_hatch(color=2)
    ellipse.paths.add_edge_path().add_ellipse((60, 5), (6, 2), 0.5)


def splines(doc, msp):
    msp.add_spline_control_frame([(0, 0), (5, 10), (10, -5), (15, 5), (20, 0)], degree=3)
    msp.add_open_spline([(0, 35), (10, 45), (20, 35), (30, 45)], degree=2)
    msp.add_rational_spline([(30, 0), (40, 5), (35, 15), (28, 10)], weights=[1, 3, 0.5, 1])


def splines_fit(doc, msp):
    msp.add_spline(fit_points=[(0, 20), (5, 25), (10, 18), (15, 28), (20, 20)])
    msp.add_spline(fit_points=[(0, 0), (3, 3), (12, 2)])
    tangents = msp.add_spline(fit_points=[(0, 10), (6, 14), (12, 8), (20, 12)])
    tangents.dxf.start_tangent, tangents.dxf.end_tangent = (0, 1, 0), (1, -1, 0)


def arcs_and_ellipses(doc, msp):
    for i, z in enumerate([1, -1]):
        msp.add_arc((10 * i, 0), 4, 20, 160, dxfattribs={"extrusion": (0, 0, z)})
        msp.add_arc((10 * i, 10), 4, 300, 45, dxfattribs={"extrusion": (0, 0, z)})
        msp.add_circle((10 * i, 20), 3, dxfattribs={"extrusion": (0, 0, z)})
        msp.add_ellipse((10 * i, 30), (4, 1, 0), 0.5, 0.3, 4.0, dxfattribs={"extrusion": (0, 0, z)})
        msp.add_ellipse((10 * i + 25, 30), (1, 3, 0), 0.6, 5.0, 2.0, dxfattribs={"extrusion": (0, 0, z)})


def polylines(doc, msp):
    msp.add_lwpolyline([(0, 0, 0, 0, 0.5), (10, 0, 0, 0, -1), (10, 10, 0, 0, 0), (0, 10)], format="xyseb")
    old = msp.add_polyline2d([(60, 0), (70, 0), (70, 10)], close=True)
    old.vertices[0].dxf.bulge = 0.7


def polylines_wide(doc, msp):
    msp.add_lwpolyline([(20, 0, 1.5, 1.5, 0), (30, 0, 1.5, 0.2, 0.4), (30, 10, 0.5, 0.5, 0), (20, 10, 0.3, 0.3, 0)],
                       format="xyseb", close=True)
    msp.add_lwpolyline([(40, 0), (50, 5), (40, 10)], format="xy", dxfattribs={"const_width": 1.2})
    old = msp.add_polyline2d([(60, 0), (70, 0), (70, 10)])
    old.vertices[0].dxf.start_width = old.vertices[0].dxf.end_width = 0.3
    old.vertices[0].dxf.bulge = 0.7
    old.vertices[1].dxf.start_width = 2
    old.vertices[1].dxf.end_width = 0.5
    # Only some segments wide: those are bands, the others thin lines.
    msp.add_lwpolyline([(0, 20, 1, 1, 0), (10, 20, 0, 0, 0.5), (20, 20, 2, 0, 0), (20, 30, 0, 0, 0), (10, 30, 0.8, 0.8, 0)],
                       format="xyseb", close=True)
    partly = msp.add_polyline2d([(30, 20), (40, 20), (40, 30), (50, 30)])
    partly.vertices[1].dxf.start_width = partly.vertices[1].dxf.end_width = 1.5
    partly.vertices[1].dxf.bulge = -0.5


def texts(doc, msp):
    aligns = ["LEFT", "CENTER", "RIGHT", "MIDDLE", "TOP_LEFT", "TOP_CENTER", "TOP_RIGHT", "MIDDLE_LEFT",
              "MIDDLE_CENTER", "MIDDLE_RIGHT", "BOTTOM_LEFT", "BOTTOM_CENTER", "BOTTOM_RIGHT", "ALIGNED", "FIT"]
    for i, align in enumerate(aligns):
        x, y = 30 * (i % 4), 12 * (i // 4)
        msp.add_point((x, y))
        attributes = {"height": 2, "rotation": 15 * (i % 3), "width": 0.6 + 0.4 * (i % 3)}
        # Aligned and fit texts run from their point to a second one.
        second = (x + 12, y + 3) if align in ("ALIGNED", "FIT") else None
        msp.add_text("Ab%d" % i, dxfattribs=attributes).set_placement(
            (x, y), second, align=ezdxf.enums.TextEntityAlignment[align])


def mtexts(doc, msp):
    for attachment in range(1, 10):
        x, y = 30 * ((attachment - 1) % 3), 15 * ((attachment - 1) // 3)
        msp.add_point((x, y))
        msp.add_mtext("Top\\PLow", dxfattribs={"char_height": 2, "attachment_point": attachment,
                                                "insert": (x, y), "rotation": 10 * (attachment % 2)})
    msp.add_mtext("words that wrap at the width", dxfattribs={"char_height": 2, "width": 22, "insert": (0, -10)})


def paper_space(doc, msp):
    msp.add_circle((0, 0), 5)
    layout = doc.layouts.get("Layout1")
    layout.add_line((-100, -100), (300, 250))
    layout.add_circle((200, 0), 50)


CASES = [blocks_nested, blocks_transformed, blocks_arrayed, blocks_attributes, dimensions, hatch_edges, splines,
         splines_fit, arcs_and_ellipses, polylines, polylines_wide, texts, mtexts, paper_space]


def write_cases(folder):
    paths = []
    for case in CASES:
        doc = ezdxf.new("R2010", setup=True)
        case(doc, doc.modelspace())
        path = os.path.join(folder, case.__name__ + ".dxf")
        doc.saveas(path)
        paths.append(path)
    return paths


# --- Rendering and comparing ---------------------------------------------

def render_ours(demo, path, png):
    w, h = SIZE
    run = subprocess.run([demo, "--render", path, png, "--size", "%dx%d" % (w, h), "--text-boxes", "--thin"],
                         capture_output=True, text=True)
    if run.returncode != 0:
        raise RuntimeError("kvcc-demo --render failed on %s: %s" % (path, run.stderr.strip()))
    for line in run.stdout.splitlines():
        if line.startswith("extents "):
            return [float(v) for v in line.split()[1:]]
    raise RuntimeError("kvcc-demo --render printed no extents for " + path)


def segment_widths(polyline):
    """The start and end widths of each segment of a 2D polyline."""
    if polyline.dxftype() == "LWPOLYLINE":
        widths = [(s, e) for s, e in polyline.get_points("se")]
        if polyline.dxf.const_width and not any(s or e for s, e in widths):
            widths = [(polyline.dxf.const_width,) * 2] * len(widths)
    else:
        default = (polyline.dxf.default_start_width, polyline.dxf.default_end_width)
        widths = [(v.dxf.get("start_width", default[0]), v.dxf.get("end_width", default[1])) for v in polyline.vertices]
    return widths if polyline.is_closed else widths[:-1]


def add_thin_copies(msp):
    """The other renderer leaves out the segments of width 0 of a polyline
    some of whose segments are wide; by the DXF reference they are thin
    lines. A copy of each such polyline with no width draws them."""
    copies = 0
    for polyline in list(msp.query("LWPOLYLINE POLYLINE")):
        if polyline.dxftype() == "POLYLINE" and not polyline.is_2d_polyline:
            continue
        wide = [max(w) > 0 for w in segment_widths(polyline)]
        if any(wide) and not all(wide):
            thin = polyline.copy()
            if thin.dxftype() == "LWPOLYLINE":
                thin.set_points([(x, y, 0, 0, b) for x, y, b in polyline.get_points("xyb")], format="xyseb")
                thin.dxf.discard("const_width")
            else:
                for v in thin.vertices:
                    v.dxf.start_width = v.dxf.end_width = 0
            msp.add_entity(thin)
            copies += 1
    return copies


def top_to_bottom_texts(msp):
    """The areas of the texts of the multileaders whose text runs top to
    bottom. The other renderer draws the picture stored with them, whose
    texts are marked vertical: it sets them on their start points as on a
    baseline, a line above where the picture's own frame and the entity's
    text position put them. Both places are left out; the frames count."""
    areas = []
    for leader in msp.query("MULTILEADER"):
        mtext = leader.context.mtext
        if mtext is None or mtext.flow_direction != 3 or not leader.proxy_graphic:
            continue
        texts = [e for e in ProxyGraphic(leader.proxy_graphic, leader.doc).virtual_entities() if e.dxftype() == "TEXT"]
        for text in texts:
            below = text.copy()
            below.dxf.insert += Vec3.from_deg_angle(text.dxf.rotation - 90, text.dxf.height)
            box = bbox.extents([text, below])
            areas.append((box.extmin.x, box.extmin.y, box.extmax.x, box.extmax.y))
    return areas


def render_oracle(path, extents, png):
    """Draws the picture and returns the areas left out of the comparison."""
    doc, _ = recover.readfile(path)
    if add_thin_copies(doc.modelspace()):
        print("note: thin copies drawn of polylines partly wide (the other renderer leaves their thin segments out)")
    left_out = top_to_bottom_texts(doc.modelspace())
    if left_out:
        print("note: %d texts of multileaders running top to bottom left out (the other renderer draws the vertical "
              "texts of their stored picture a line above their frame)" % len(left_out))
    w, h = SIZE
    fig = plt.figure(figsize=(w / 100, h / 100), dpi=100)
    ax = fig.add_axes((0, 0, 1, 1))
    backend = BoxTextBackend(ax, adjust_figure=False)
    config = Configuration.defaults().with_changes(
        lineweight_scaling=0, line_policy=LinePolicy.SOLID, hatch_policy=HatchPolicy.SHOW_SOLID)
    Frontend(RenderContext(doc), backend, config).draw_layout(
        doc.modelspace(), finalize=True, filter_func=lambda e: e.dxftype() in DRAWN)
    # Everything drawn white on black; the limits are exactly the demo's.
    for artist in ax.get_children():
        if hasattr(artist, "set_color") and artist is not ax.patch:
            artist.set_color("white")
    ax.set_facecolor("black")
    ax.set_aspect("auto")
    ax.set_xlim(extents[0], extents[2])
    ax.set_ylim(extents[1], extents[3])
    fig.savefig(png, dpi=100, facecolor="black")
    plt.close(fig)
    return left_out


def leave_out(masks, areas, extents):
    """Clears the drawing areas (x0, y0, x1, y1) and NEAR pixels round them."""
    h, w = masks[0].shape
    sx, sy = w / (extents[2] - extents[0]), h / (extents[3] - extents[1])
    for x0, y0, x1, y1 in areas:
        left, right = int((x0 - extents[0]) * sx) - NEAR, int(math.ceil((x1 - extents[0]) * sx)) + NEAR + 1
        top, bottom = int((extents[3] - y1) * sy) - NEAR, int(math.ceil((extents[3] - y0) * sy)) + NEAR + 1
        for mask in masks:
            mask[max(top, 0):max(bottom, 0), max(left, 0):max(right, 0)] = False


def drawn_mask(png, threshold):
    """Pixels that differ from the picture's corner, its background."""
    rgb = plt.imread(png)[:, :, :3].astype(float)
    return np.abs(rgb - rgb[0, 0]).max(axis=2) > threshold


def dilate(mask, radius=NEAR):
    grown = mask.copy()
    padded = np.pad(mask, radius)
    h, w = mask.shape
    for dy in range(-radius, radius + 1):
        for dx in range(-radius, radius + 1):
            if dx * dx + dy * dy <= radius * radius:
                grown |= padded[radius + dy:radius + dy + h, radius + dx:radius + dx + w]
    return grown


def share_near(mask, other):
    count = mask.sum()
    return 100.0 if count == 0 else 100.0 * (mask & dilate(other)).sum() / count


def compare(demo, path, folder):
    name = os.path.splitext(os.path.basename(path))[0]
    ours_png, oracle_png = os.path.join(folder, name + ".ours.png"), os.path.join(folder, name + ".oracle.png")
    extents = render_ours(demo, path, ours_png)
    left_out = render_oracle(path, extents, oracle_png)
    ours = drawn_mask(ours_png, 0.02)
    oracle = drawn_mask(oracle_png, 0.35)
    if ours.shape != oracle.shape:
        raise RuntimeError("the pictures of %s differ in size: %s and %s" % (name, ours.shape, oracle.shape))
    leave_out((ours, oracle), left_out, extents)
    return name, share_near(ours, oracle), share_near(oracle, ours)


def refusals(demo, folder):
    """What --render must refuse, each with a message and a non-zero exit."""
    drawing = os.path.join(folder, CASES[0].__name__ + ".dxf")
    cases = [[os.path.join(folder, "missing.dxf"), os.path.join(folder, "x.png")],
             [drawing, os.path.join(folder, "no", "such", "folder.png")],
             [drawing, os.path.join(folder, "x.png"), "--size", "0x10"],
             [drawing, os.path.join(folder, "x.png"), "--view", "Nowhere"]]
    failed = []
    for args in cases:
        run = subprocess.run([demo, "--render"] + args, capture_output=True, text=True)
        if run.returncode == 0 or not run.stderr.strip() or os.path.exists(os.path.join(folder, "x.png")):
            failed.append(" ".join(args[1:]))
    return failed


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("demo")
    parser.add_argument("shared", nargs="?")
    parser.add_argument("--keep", help="folder that keeps the drawings and pictures")
    parser.add_argument("--only", help="compare only the drawing of this name")
    parser.add_argument("--size", help="pictures of WxH pixels")
    args = parser.parse_args()
    if args.size:
        global SIZE
        SIZE = tuple(int(n) for n in args.size.split("x"))
    with tempfile.TemporaryDirectory() as temp:
        folder = args.keep or temp
        os.makedirs(folder, exist_ok=True)
        paths = write_cases(folder)
        if args.shared and os.path.isdir(args.shared):
            paths += sorted(os.path.join(args.shared, f) for f in os.listdir(args.shared) if f.endswith(".dxf"))
        else:
            print("note: the shared drawings are not in %s; only the written cases are compared" % args.shared)
        if args.only:
            paths = [p for p in paths if os.path.basename(p).startswith(args.only)]
        unrefused = refusals(args.demo, folder)
        failed = []
        print("%-40s %8s %8s %6s" % ("drawing", "ours%", "oracle%", "secs"))
        for path in paths:
            start = time.time()
            name, ours, oracle = compare(args.demo, path, folder)
            print("%-40s %8.2f %8.2f %6.1f" % (name, ours, oracle, time.time() - start), flush=True)
            if min(ours, oracle) < REQUIRED:
                failed.append(name)
    if unrefused:
        print("FAIL: kvcc-demo --render did not refuse with a message: " + "; ".join(unrefused))
    if failed:
        print("FAIL: below the agreement required: " + ", ".join(failed))
    return 1 if failed or unrefused else 0


if __name__ == "__main__":
    sys.exit(main())
