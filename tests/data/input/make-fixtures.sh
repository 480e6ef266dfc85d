#!/bin/sh
# Regenerates the spreadsheet fixtures from Signals.fods (a flat OpenDocument
# spreadsheet kept as text) with a real spreadsheet application:
# Signals.xlsx, Signals.xls, Signals.ods and Signals.csv, the sheet
# "Signals" saved as the application displays it.
# Needs soffice (Debian: libreoffice-calc-nogui).
set -eu
cd "$(dirname "$0")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for format in xlsx xls ods; do
  soffice --headless -env:UserInstallation=file://"$work"/profile --convert-to "$format" --outdir "$work" Signals.fods
  cp "$work/Signals.$format" .
done
# Comma-separated, UTF-8, text as shown, second sheet.
soffice --headless -env:UserInstallation=file://"$work"/profile \
  --convert-to 'csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,true,false,false,2' \
  --outdir "$work" Signals.fods
cp "$work/Signals-Signals.csv" Signals.csv
