#!/usr/bin/env bash
# Stages the shipped files as they are installed (Miravo\ with the sample novel in sample\) and
# packs them twice: an MSI made by wixl and a zip for a portable copy.
#   make-dist.sh OUT_DIR NAME WXS ICON BIN_DIR SAMPLES_DIR STRIP
set -euo pipefail
out=$1 name=$2 wxs=$3 icon=$4 bin=$5 samples=$6 strip=$7
work=$out/work
stage=$work/Miravo
rm -rf "$work"
mkdir -p "$stage"
# The build keeps debug information; the packages do without it (a third of the size).
for program in Miravo.exe MVSound.mvx MiravoAssociator.exe MiravoRun.exe mvtool.exe; do
  "$strip" --strip-debug -o "$stage/$program" "$bin/$program"
done
cp "$bin/MiravoHelp.chm" "$stage/"
cp -r "$samples" "$stage/sample"
cp "$icon" "$work/Miravo.ico"

# wixl takes its sources by paths relative to the folder it runs in. It garbles every table
# string that is not ASCII (file names come out as other strings of the table), so sample files
# with Japanese names are left out of the MSI; the zip has them.
cd "$work"
(cd Miravo && find sample -type f | LC_ALL=C sort | LC_ALL=C grep -v '[^ -~]' |
  wixl-heat --prefix sample/ --directory-ref SampleFolder --component-group SampleFiles \
    --var var.SampleDir --win64) >samples.wxs
rm -f "$out"/Miravo-*-x64.msi "$out"/Miravo-*-x64.zip
wixl -a x64 -D StageDir=Miravo -D SampleDir=Miravo/sample -D Win64=yes -D IconFile=Miravo.ico \
  -o "$out/$name.msi" "$wxs" samples.wxs
zip -qrX "$out/$name.zip" Miravo
echo "dist: $out/$name.msi ($(stat -c %s "$out/$name.msi") bytes), $out/$name.zip ($(stat -c %s "$out/$name.zip") bytes)"
