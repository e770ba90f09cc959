#!/bin/sh
# Zorvik looks for its hand cursor and skin beside the program itself, so the program keeps its own
# folder and this launcher on the PATH starts it from there.
here=$(dirname "$(readlink -f "$0")")
exec "$here/../lib/zorvik/zorvik" "$@"
