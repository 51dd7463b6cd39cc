"""What the art scripts share: the tally of the check scripts and the make scripts' test for the
Debian packages they draw with. Standard library only."""

import os
import sys

failures = []
passed = 0


def check(ok, what):
    """Counts one check; a failed one is kept with what it says."""
    global passed
    if ok:
        passed += 1
    else:
        failures.append(what)
    return ok


def finish(script, about=""):
    """Prints every failure and the tally, and ends with 1 when anything failed."""
    for f in failures:
        print("FAIL", f)
    print("%s: %s%d passed, %d failed" % (script, about, passed, len(failures)))
    sys.exit(1 if failures else 0)


def require_tools(script, packages, raqm=False, fonts=()):
    """Ends the script with how to install what it lacks: numpy, Pillow (with raqm for Arabic
    shaping, where asked) and the fonts it draws text with."""
    missing = []
    try:
        import numpy  # noqa: F401
    except ImportError:
        missing.append("python3-numpy")
    try:
        from PIL import features
        if raqm and not features.check("raqm"):
            missing.append("libraqm0")
    except ImportError:
        missing.append("python3-pil")
    if any(not os.path.exists(f) for f in fonts):
        missing.append("fonts-noto-core")
    if missing:
        sys.exit("%s needs the Debian packages: %s\n"
                 "missing here: %s\n"
                 "install them with: apt-get install %s\n"
                 "and run the script with /usr/bin/python3 (the packages go into Debian's Python)."
                 % (script, packages, " ".join(sorted(set(missing))), packages))
