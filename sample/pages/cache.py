"""A folder that keeps what the slow tools made (pictures, voices) between runs, keyed by
everything that went into making it, so that changing one page remakes only what changed."""

import hashlib
import os

FOLDER = os.environ.get("SORANDEL_PAGES_CACHE")


def kept(kind, key, make):
    """The bytes `make()` gives for `key`, from the cache folder when they are there."""
    if not FOLDER:
        return make()
    path = os.path.join(FOLDER, kind + "-" + hashlib.sha1(repr(key).encode()).hexdigest())
    if os.path.exists(path):
        with open(path, "rb") as f:
            return f.read()
    data = make()
    os.makedirs(FOLDER, exist_ok=True)
    # Each process writes its own part: pages made side by side may make the same thing at once.
    part = f"{path}.{os.getpid()}.part"
    with open(part, "wb") as f:
        f.write(data)
    os.replace(part, path)
    return data
