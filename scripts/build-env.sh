# Sourced by the build scripts (bash). Compiles through ccache when it is installed: CI runs on the
# same machine again and again, each time in a fresh clone elsewhere, so the cache keys on paths
# relative to the clone and ignores the folder a compiler ran in.
if command -v ccache >/dev/null 2>&1; then
  export CMAKE_CXX_COMPILER_LAUNCHER=ccache
  export CCACHE_BASEDIR=$PWD
  export CCACHE_NOHASHDIR=1
  export CCACHE_MAXSIZE=${CCACHE_MAXSIZE:-5G}
fi
