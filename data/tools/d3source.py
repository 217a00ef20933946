"""Finding the npm package d3-celestial's data and fingerprinting sources,
shared by the data generators."""

import hashlib
import os
import sys


def D3DataFolder(path):
    """The data folder of d3-celestial, given the folder npm installed into,
    the package folder or its data folder."""
    for candidate in (os.path.join(path, "node_modules", "d3-celestial", "data"),
                      os.path.join(path, "data"), path):
        if os.path.isfile(os.path.join(candidate, "messier.json")):
            return candidate
    sys.exit("no d3-celestial data folder at %s" % path)


def Sha256(path):
    with open(path, "rb") as f:
        return hashlib.sha256(f.read()).hexdigest()
