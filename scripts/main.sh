#!/usr/bin/env bash
# The main job: installs what is missing, builds what ships, installs the plug-in and
# its skin images where Linux hosts look for it (~/.vst/Zelo/), the LV2 bundle
# where LV2 hosts look (~/.lv2/Zelo.lv2/), and checks that
# it loads and processes there: the zelo command-line host renders its demo
# phrase through it. The command-line host zelo goes into ~/.local/bin, where
# a user's shell finds it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-dependencies.sh

# What ships: the plug-in with its skin, the LV2 bundle, and zelo. The test command builds the rest.
cmake --preset release
cmake --build --preset release --target Zelo ZeloLv2 ZeloLv2UI zelo

destination="${HOME}/.vst/Zelo"
mkdir -p "$destination"
install -m 0755 build/release/Zelo/Zelo.so "$destination/Zelo.so.part"
mv -f "$destination/Zelo.so.part" "$destination/Zelo.so"
echo "Installed $destination/Zelo.so"
# The editor loads its skin images from the Resources folder beside the module.
mkdir -p "$destination/Resources"
install -m 0644 build/release/Zelo/Resources/*.png "$destination/Resources/"
echo "Installed the skin images in $destination/Resources"

# The whole bundle is copied beside its place, then renamed over it: a host
# scanning meanwhile sees the old bundle or the new one, never half of one.
lv2="${HOME}/.lv2"
mkdir -p "$lv2"
rm -rf "$lv2/Zelo.lv2.part" "$lv2/Zelo.lv2.old"
cp -R build/release/Zelo.lv2 "$lv2/Zelo.lv2.part"
[ -d "$lv2/Zelo.lv2" ] && mv "$lv2/Zelo.lv2" "$lv2/Zelo.lv2.old"
mv "$lv2/Zelo.lv2.part" "$lv2/Zelo.lv2"
rm -rf "$lv2/Zelo.lv2.old"
echo "Installed $lv2/Zelo.lv2"
if command -v lv2ls >/dev/null && ! lv2ls 2>/dev/null | grep -qx "urn:orlen-vantrell:zelo"; then
  echo "lv2ls does not list urn:orlen-vantrell:zelo: is LV2_PATH set without ~/.lv2?" >&2
  exit 1
fi

bin="${HOME}/.local/bin"
mkdir -p "$bin"
install -m 0755 build/release/tools/zelo/zelo "$bin/zelo.part"
mv -f "$bin/zelo.part" "$bin/zelo"
echo "Installed $bin/zelo"
case ":${PATH}:" in
*":$bin:"*) ;;
*) echo "$bin is not on your PATH yet: Debian's ~/.profile adds it at the next login." ;;
esac

demo="build/release/zelo-demo.wav"
build/release/tools/zelo/zelo render --demo "$demo" --plugin "$destination/Zelo.so" >/dev/null
echo "Rendered the demo phrase through the installed plug-in into $(pwd)/$demo"
