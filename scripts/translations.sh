#!/usr/bin/env bash
# The translations of translations/zorvik_<language>.ts against the texts of src/.
#   scripts/translations.sh              check (CI): every text of the sources is translated in every
#                                        language file, none is left that the sources no longer have,
#                                        and each file is exactly what lupdate makes of it
#   scripts/translations.sh --update     bring every language file up to date with the sources
#   scripts/translations.sh --add LANG   start translations/zorvik_LANG.ts (LANG as in de, fr, pt_BR)
#   scripts/translations.sh --release    the check, then build the release program and check that it
#                                        carries every language's .qm file
# lupdate reads the sources only, so the check needs no build; it writes no source locations, so code
# that moves never changes a translation file.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh

bins=$(qtpaths6 --query QT_INSTALL_BINS 2>/dev/null || echo /usr/lib/qt6/bin)
lupdate=$bins/lupdate
mode=${1:-check}

run_lupdate() { # ts files...
    "$lupdate" -silent -locations none -extensions cpp,h -I src src -ts "$@"
}

case $mode in
--add)
    language=${2:?usage: scripts/translations.sh --add LANG}
    file=translations/zorvik_$language.ts
    [ -e "$file" ] && { echo "translations: $file exists already" >&2; exit 1; }
    run_lupdate "$file"
    echo "translations: started $file; translate it with: $bins/linguist $file"
    exit 0
    ;;
--update)
    run_lupdate translations/zorvik_*.ts
    exit 0
    ;;
check | --release) ;;
*)
    sed -n '2,12p' "$0" >&2
    exit 2
    ;;
esac

work=$(mktemp -d /tmp/zorvik-translations.XXXXXX)
trap 'rm -rf "$work"' EXIT
status=0
for file in translations/zorvik_*.ts; do
    copy=$work/$(basename "$file")
    cp "$file" "$copy"
    run_lupdate "$copy"
    # An entry that lupdate adds, marks as vanished or leaves unfinished is a text some user would read
    # in English; a file that lupdate rewrites otherwise was not brought up to date with it.
    /usr/bin/python3 - "$copy" "$file" <<'EOF' || status=1
import sys
import xml.etree.ElementTree as ET

updated, committed = sys.argv[1], sys.argv[2]
problems = []
for context in ET.parse(updated).getroot().iter("context"):
    name = context.findtext("name")
    for message in context.iter("message"):
        source = message.findtext("source")
        translation = message.find("translation")
        kind = translation.get("type", "")
        forms = translation.findall("numerusform") if message.get("numerus") == "yes" else [translation]
        if kind in ("vanished", "obsolete"):
            problems.append(f"{name}: no longer in the sources: {source!r}")
        elif kind == "unfinished" or any(not (form.text or "").strip() for form in forms):
            problems.append(f"{name}: not translated: {source!r}")
for problem in problems:
    print(f"{committed}: {problem}")
if not problems and open(updated, "rb").read() != open(committed, "rb").read():
    print(f"{committed}: not as lupdate writes it; run scripts/translations.sh --update")
    problems.append("rewritten")
sys.exit(1 if problems else 0)
EOF
done
if [ "$status" -ne 0 ]; then
    echo "translations: some texts are missing or left over (above)" >&2
    exit 1
fi
echo "translations: $(ls translations/zorvik_*.ts | wc -l) languages complete"

if [ "$mode" = --release ]; then
    source scripts/build-env.sh
    cmake --preset release >/dev/null
    cmake --build --preset release --target zorvik
    # rcc stores each resource's name in UTF-16: look for every language's .qm name in the program.
    /usr/bin/python3 - build/release/src/zorvik translations/zorvik_*.ts <<'EOF'
import os, sys
program = open(sys.argv[1], "rb").read()
missing = [os.path.basename(ts)[:-3] + ".qm" for ts in sys.argv[2:]
           if (os.path.basename(ts)[:-3] + ".qm").encode("utf-16-be") not in program]
if missing:
    sys.exit("translations: the release program does not carry " + ", ".join(missing))
print("translations: the release program carries", len(sys.argv) - 2, "languages")
EOF
fi
