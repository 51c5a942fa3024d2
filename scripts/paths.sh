# The places in the tree that the scripts share, named once. Sourced by the
# scripts (never run); `root` is the top of the tree.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# The Windows build (the `windows` preset's binaryDir) and its programs.
windows_build=$root/build/windows
windows_bin=$windows_build/bin
# Wine's state for this tree: prefix, server, private display.
wine_home=${WINE_RUN_HOME:-$root/build/wine}
# What scripts/run leaves behind: the screenshot, and its watcher's status files.
run_dir=$root/build/run
# What scripts/package makes: the ZIP and the installer a Windows user downloads.
package_dir=$root/build/package
