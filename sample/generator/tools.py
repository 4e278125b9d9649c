"""Finds and runs the command-line tools the content is made with."""

import shutil
import subprocess


class ToolError(Exception):
    """A tool is missing or failed."""


def tool(name):
    path = shutil.which(name)
    if path is None:
        raise ToolError(f"'{name}' is not installed (scripts/setup.sh installs it)")
    return path


def run(*command):
    result = subprocess.run(command, capture_output=True, text=True)
    if result.returncode != 0:
        raise ToolError(f"{' '.join(command)} failed: {result.stderr.strip()}")
    return result.stdout
