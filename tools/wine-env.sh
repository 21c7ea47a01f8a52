# Sourced by the Wine scripts: which Wine this machine can run.
# Some Linux kernels (virtual machines among them) run no 32-bit x86 code at all. There the
# 32-bit Wine cannot start, so the Windows programs are tested as a 64-bit build of the very same
# sources under the 64-bit Wine; everywhere else the shipped 32-bit build is what runs.
if /usr/lib/wine/wine --version >/dev/null 2>&1; then
  wine_loader=/usr/lib/wine/wine
  wine_arch=win32
  windows_tree=win32
else
  wine_loader=/usr/lib/wine/wine64
  wine_arch=win64
  windows_tree=win64
fi
