"""Reads a drawing with ezdxf (Debian's python3-ezdxf) as another program
would, and prints what it found: the audit's errors and fixes, then each
entity of the model space with its layer, position and text.

    python3 read_dxf.py <file.dxf>

Exit status 0 when the file was read at all; the caller compares the text.
"""
import sys

import ezdxf

doc = ezdxf.readfile(sys.argv[1], encoding="gbk")
auditor = doc.audit()
print(f"errors {len(auditor.errors)} fixes {len(auditor.fixes)}")
for entity in doc.modelspace():
    kind = entity.dxftype()
    if kind == "POINT":
        x, y, z = entity.dxf.location
        print(f"POINT layer {entity.dxf.layer} colour {entity.dxf.color} {x:.4f} {y:.4f} {z:.4f}")
    elif kind == "TEXT":
        x, y, z = entity.dxf.insert
        print(f"TEXT layer {entity.dxf.layer} {x:.4f} {y:.4f} {z:.4f} "
              f"height {entity.dxf.height} {entity.dxf.text}")
    else:
        print(kind)
