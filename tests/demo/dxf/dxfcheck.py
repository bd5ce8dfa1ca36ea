# Reads DXF files with an independent reader (ezdxf) and prints, per file,
# what the demo's tests compare: the layer table, the current layer, how
# many objects each layer holds anywhere in the drawing, and the audit's
# findings by kind, and the named layer states of the layer table's state
# dictionary. R12 keeps no lineweight or plot flag: those print as their
# defaults.
#   dxfcheck.py FILE...
import re
import sys
from collections import Counter

from ezdxf import recover


def text(value):
    # ezdxf resolves \U+XXXX escapes written in upper case itself; those
    # with a lower-case letter it leaves. Resolving the upper-case ones again
    # would read an escaped backslash as the start of another escape.
    def resolve(m):
        return chr(int(m.group(1), 16)) if re.search("[a-fu]", m.group(0)) else m.group(0)
    return re.sub(r"\\[Uu]\+([0-9A-Fa-f]{4})", resolve, value or "")


def color(layer):
    if layer.rgb is not None and layer.dxf.hasattr("true_color"):
        return "rgb:%d,%d,%d" % layer.rgb
    return "aci:%d" % abs(layer.dxf.color)


def name_of(doc, handle):
    entity = doc.entitydb.get(handle)
    return text(entity.dxf.name) if entity is not None and entity.dxf.hasattr("name") else ""


def layer_states(doc):
    head = doc.layers.head
    if doc.dxfversion <= "AC1009" or not head.has_extension_dict:
        return
    xdict = head.get_extension_dict()
    if "ACAD_LAYERSTATES" not in xdict:
        return
    for name, record in xdict["ACAD_LAYERSTATES"].items():
        if not hasattr(record, "dxftype") or record.dxftype() != "XRECORD":
            continue
        fields = {code: value for code, value in record.tags if code in (91, 301, 302)}
        print("state\t%s\t%d\t%s\t%s" % (text(name), fields.get(91, 0), text(fields.get(301)), text(fields.get(302))))
        layer = None
        for code, value in list(record.tags) + [(330, None)]:
            if code == 330 and layer is not None:
                print("\t".join(["statelayer", text(name), name_of(doc, layer[330])] + [str(layer.get(c, "")) for c in (90, 62, 370)]
                                + [name_of(doc, layer.get(331, ""))]))
            if code == 330:
                layer = {330: value}
            elif layer is not None:
                layer[code] = abs(value) if code == 62 else value


for path in sys.argv[1:]:
    # The recovering loader takes the flaws some writers leave in a file.
    doc, loaded = recover.readfile(path)
    old = doc.dxfversion <= "AC1009"
    print("file\t" + path)
    for layer in doc.layers:
        print("\t".join([
            "layer", text(layer.dxf.name), str(int(layer.dxf.color >= 0)), str(int(layer.is_frozen())),
            str(int(layer.is_locked())), color(layer), text(layer.dxf.linetype),
            str(-3 if old else layer.dxf.get("lineweight", -3)), str(1 if old else layer.dxf.get("plot", 1)),
            text(layer.description)]))
    print("current\t" + text(doc.header.get("$CLAYER", "0")))
    layer_states(doc)
    objects = Counter(text(e.dxf.layer).lower() for e in doc.entitydb.values()
                      if e.dxf.hasattr("layer") and e.dxftype() != "LAYER")
    for name, count in sorted(objects.items()):
        print("objects\t%s\t%d" % (name, count))
    auditor = doc.audit()
    findings = Counter(int(e.code) for e in loaded.errors + loaded.fixes + auditor.errors + auditor.fixes)
    for code, count in sorted(findings.items()):
        print("audit\t%d\t%d" % (code, count))
