#!/bin/bash
# The X server killed while the program shows one stage of its chain: one
# line on stderr, exit status 1, no core, no process left, nothing written.
# The run is the one signals_xvfb.sh makes for its other faults.
#
#   display_lost_xvfb.sh PROGRAM STAGE
exec "$(dirname "$0")/signals_xvfb.sh" "${1:?usage: display_lost_xvfb.sh PROGRAM STAGE}" XKILL \
    "${2:?usage: display_lost_xvfb.sh PROGRAM STAGE}"
