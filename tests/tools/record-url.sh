#!/bin/sh
# Plays the default browser for tests: notes each address it is asked to open.
echo "$1" >> "${TORVANE_BROWSER_LOG:-/tmp/torvane-browser.log}"
