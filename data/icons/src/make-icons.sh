#!/bin/sh
# Regenerates the 135 toolbar icons (000.png ... 134.png), icons.qrc and README.md
# of data/icons from the table below.
#
# Needs Debian's tango-icon-theme (its 16x16 PNGs, public domain),
# librsvg2-bin (rsvg-convert) and imagemagick (convert, composite):
#   apt-get install -y tango-icon-theme librsvg2-bin imagemagick
#
# Recipe of an icon: layers joined by "+", drawn bottom to top on a 16x16 canvas:
#   t:DIR/NAME.png          a 16x16 PNG of the Tango theme
#   s:NAME.svg              a drawing of this folder, rendered at 16x16
set -eu

here=$(cd "$(dirname "$0")" && pwd)
out=$(dirname "$here")
tango=${TANGO_DIR:-/usr/share/icons/Tango}
convert=${IM_CONVERT:-/usr/bin/convert}
composite=${IM_COMPOSITE:-/usr/bin/composite}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# index|recipe|picture|used by
table() {
  cat <<'EOF'
0|t:actions/system-log-out.png|door with red arrow (leave)|EXIT0, EXIT2, EXIT5, EXIT6, EDIT:EXIT
1|t:actions/go-previous.png|green arrow left|BACK, NAVIGATE:BACK
2|t:actions/go-next.png|green arrow right|NEXT, NAVIGATE:NEXT
3|t:actions/process-stop.png|red stop sign|EDIT:STOP
4|t:actions/view-refresh.png|blue circular arrows|NAVIGATE:REFRESH
5|t:actions/document-print.png|printer with page|PRINT
6|t:actions/document-save.png|save to disk|SAVE (menu)
7|t:apps/accessories-text-editor.png|notepad with pencil|EDIT (menu)
8|t:emblems/emblem-favorite.png|red heart (favourites)|FAVORITE (link tables)
9|t:categories/applications-office.png|office tools|FILE:OFFICE (bar style)
10|t:mimetypes/text-x-generic.png+s:badge-envelope.svg|text list with envelope|QUORVINK:VIEW (address list)
11|t:places/folder.png|folder|-
12|t:status/folder-open.png|open folder|-
13|t:actions/system-search.png|magnifier|GOOGLE (web search)
14|t:actions/document-new.png|new page|-
15|t:actions/bookmark-new.png|bookmark with new star|NAVIGATE:PICK (save bookmark)
16|t:actions/go-home.png|house|NAVIGATE:HOME
17|t:actions/document-open.png|open folder with page|-
18|t:actions/document-save-as.png|save as|-
19|s:about.svg|blue circle with white i|KELDRANO, FILE:KELDRANO (about)
20|t:actions/edit-undo.png|undo arrow|-
21|t:actions/edit-redo.png|redo arrow|-
22|s:minimize.svg|window with minimise bar|MIN
23|t:actions/window-new.png|new window|-
24|t:actions/tab-new.png|new tab|-
25|t:actions/go-up.png|green arrow up|-
26|t:mimetypes/text-html.png|web page|SAVE:HTML
27|s:word-landscape.svg|word-processor page, landscape, blue W|SAVE:WORDH
28|s:word-portrait.svg|word-processor page, portrait, blue W|SAVE:WORDV
29|t:mimetypes/x-office-spreadsheet.png|spreadsheet|SAVE:EXCEL
30|t:mimetypes/x-office-presentation.png|presentation|SAVE:PPT
31|t:mimetypes/x-office-drawing.png|drawing|-
32|s:pdf.svg|page with red PDF band|SAVE:PDF
33|t:mimetypes/image-x-generic.png|picture|-
34|t:mimetypes/audio-x-generic.png|music note|-
35|t:mimetypes/video-x-generic.png|film reel|-
36|t:mimetypes/package-x-generic.png|parcel|-
37|t:status/audio-volume-high.png|loudspeaker|FILE:VOLUME (sound settings)
38|t:status/audio-volume-muted.png|muted loudspeaker|-
39|t:devices/computer.png|computer|-
40|t:devices/drive-harddisk.png|hard disk|-
41|t:devices/media-floppy.png|floppy disk|-
42|t:devices/media-optical.png|optical disc|-
43|t:status/network-idle.png|network computers|-
44|t:status/network-offline.png|network offline|-
45|t:places/network-server.png|server|-
46|t:mimetypes/text-html.png+s:badge-arrow.svg|web page with green open-outside arrow|FILE:EXPLORER (open in default program)
47|t:categories/applications-internet.png+s:badge-gear.svg|globe with gear|FILE:INTERNET (internet settings)
48|s:shield.svg|blue shield with check mark|FILE:SECURITY
49|t:status/dialog-warning.png|warning triangle|-
50|t:status/dialog-error.png|error sign|-
51|t:emblems/emblem-important.png|exclamation mark|-
52|t:status/mail-attachment.png|paper clip|-
53|t:actions/edit-clear.png|broom|-
54|t:actions/list-add.png|plus|-
55|t:actions/list-remove.png|minus|-
56|t:actions/go-down.png|green arrow down|-
57|t:actions/go-top.png|arrow to top|-
58|t:mimetypes/text-x-generic.png+s:badge-gear.svg|page with gear|EDIT:PAGESET, FILE:SYSTEM (bar style)
59|t:actions/document-print-preview.png|page with magnifier|EDIT:PREVIEW
60|t:devices/printer.png|printer|EDIT:PRINT
61|t:actions/edit-cut.png|scissors|EDIT:CUT
62|t:actions/edit-copy.png|two pages|EDIT:COPY
63|t:actions/edit-paste.png|clipboard|EDIT:PASTE
64|t:actions/edit-find.png|page with magnifier|EDIT:FINDDOC
65|t:actions/edit-find-replace.png|find and replace|-
66|t:apps/accessories-text-editor.png+s:badge-flag.svg|notepad with pencil and small flag|EDIT:TXT (edit language file)
67|t:actions/edit-select-all.png|selected page|EDIT:SELECT
68|t:actions/edit-delete.png|shredder|EDIT:DELETE, QUORVINK:CANCEL
69|t:mimetypes/text-x-script.png|script page|EDIT:VIEW (view source)
70|t:mimetypes/text-x-generic.png|text page|-
71|t:actions/go-jump.png|green jump arrow|NAVIGATE:GO (open bookmark)
72|t:actions/view-fullscreen.png|arrows to the corners|FILE:FLOATING (auto-hide bars)
73|t:apps/internet-web-browser.png|globe|NAVIGATE (menu)
74|t:actions/go-first.png|arrow to first|-
75|t:apps/preferences-desktop-theme.png|theme (shirt and tie)|FILE:XP (bar style)
76|s:money.svg|gold coin with dollar sign|FILE:MONEY (bar style)
77|t:apps/help-browser.png|blue question mark|FILE:HELP
78|t:devices/camera-photo.png|photo camera|EDIT:PICTURE (screen picture)
79|t:actions/document-properties.png|page properties|EDIT:PROPERTIES
80|s:translate.svg|two speech bubbles with different scripts|EDIT:TRANS (translate)
81|t:categories/preferences-system.png|wrench and screwdriver|FILE (settings menu)
82|t:actions/go-last.png|arrow to last|-
83|t:actions/go-home.png+s:badge-check.svg|house with green check|NAVIGATE:PICKHOME (set home page)
84|t:actions/go-bottom.png|arrow to bottom|-
85|t:actions/media-playback-start.png|play|-
86|t:actions/media-playback-pause.png|pause|-
87|t:actions/media-playback-stop.png|stop|-
88|t:actions/media-seek-backward.png|rewind|-
89|t:actions/media-seek-forward.png|fast forward|-
90|t:actions/media-record.png|record|-
91|t:apps/office-calendar.png|calendar|-
92|t:apps/accessories-calculator.png|calculator|-
93|t:apps/utilities-terminal.png|terminal|-
94|t:actions/appointment-new.png|new appointment|-
95|t:actions/contact-new.png|new contact|-
96|t:actions/mail-message-new.png|new mail|-
97|t:actions/mail-reply-sender.png|reply to mail|-
98|t:actions/mail-forward.png|forward mail|-
99|t:actions/mail-send-receive.png|send and receive mail|-
100|t:places/user-trash.png|waste bin|-
101|t:places/user-home.png|home folder|-
102|t:places/user-desktop.png|desktop|-
103|t:mimetypes/x-office-address-book.png|address book|-
104|t:mimetypes/x-office-address-book.png+s:badge-plus.svg|address book with green plus|QUORVINK:ADD (add to address book)
105|s:languages.svg|two flags (Italy, Germany)|LANG (languages menu)
106|s:flag-pea.svg|rainbow peace flag (key pea)|language files without a flag of their own
107|s:flag-it.svg|flag of Italy (key it)|language menu
108|s:flag-en.svg|flag of England, St George's cross (key en)|language menu
109|s:flag-uk.svg|Union Jack (key uk)|language menu
110|s:flag-am.svg|flag of the USA (key am)|language menu
111|s:flag-fr.svg|flag of France (key fr)|language menu
112|s:flag-ger.svg|flag of Germany (key ger)|language menu
113|s:flag-esp.svg|flag of Spain (key esp)|language menu
114|s:flag-por.svg|flag of Portugal (key por)|language menu
115|s:flag-rus.svg|flag of Russia (key rus)|language menu
116|s:flag-nl.svg|flag of the Netherlands (key nl)|language menu
117|s:flag-bel.svg|flag of Belgium (key bel)|language menu
118|s:flag-can.svg|flag of Canada (key can)|language menu
119|t:actions/document-new.png+s:badge-flag.svg|new page with small flag|LANG:NEW (new language file)
120|t:mimetypes/font-x-generic.png|font|-
121|s:move.svg|four-way move arrow|window-drag button at the right of the status strip
122|s:book.svg|red book|WIKI (dictionary); window-drag button at the left of the status strip
123|s:map.svg|folded map with red pin|MAP
124|t:apps/system-users.png|group of people|SOCIAL
125|s:cart.svg|shopping cart|EBAY (shopping)
126|s:mail-search.svg|envelope with magnifier|QUORVINK (mail address harvester menu)
127|t:actions/mail-reply-all.png|reply to all|-
128|t:actions/mail-mark-junk.png|junk mail|-
129|t:apps/internet-group-chat.png|chat bubbles|-
130|t:apps/internet-news-reader.png|news|-
131|t:apps/internet-mail.png|envelope|-
132|s:harvest-off.svg|grey envelope with red stop dot|QUORVINK:START while harvesting is off
133|s:harvest-on.svg|yellow envelope with green play mark|QUORVINK:START while harvesting is on
134|t:status/weather-clear.png|sun|-
EOF
}

layer() { # recipe-layer target.png
  case $1 in
  t:*) "$convert" "$tango/16x16/${1#t:}" -background none -gravity center -extent 16x16 "PNG32:$2" ;;
  s:*) rsvg-convert -w 16 -h 16 "$here/${1#s:}" -o "$2" ;;
  *)
    echo "unknown layer $1" >&2
    exit 1
    ;;
  esac
}

table | while IFS='|' read -r idx recipe picture used; do
  name=$(printf '%03d.png' "$idx")
  "$convert" -size 16x16 xc:none "PNG32:$tmp/acc.png"
  rest=$recipe
  while [ -n "$rest" ]; do
    part=${rest%%+*}
    case $rest in *+*) rest=${rest#*+} ;; *) rest= ;; esac
    layer "$part" "$tmp/layer.png"
    "$composite" "$tmp/layer.png" "$tmp/acc.png" "PNG32:$tmp/acc.png"
  done
  # fixed 32-bit RGBA output without time stamps, so regenerated files compare equal
  "$convert" "$tmp/acc.png" -define png:exclude-chunks=date,time -strip "PNG32:$out/$name"
done

{
  echo '<!DOCTYPE RCC>'
  echo '<RCC version="1.0">'
  echo '<qresource prefix="/icons">'
  i=0
  while [ $i -le 134 ]; do
    n=$(printf '%03d.png' $i)
    echo "    <file alias=\"$n\">$n</file>"
    i=$((i + 1))
  done
  echo '    <file alias="keys.txt">keys.txt</file>'
  echo '</qresource>'
  echo '</RCC>'
} >"$out/icons.qrc"

{
  cat <<'EOF'
# Toolbar icons

The main window's image list: 135 icons of 16 x 16 pixels, 32-bit RGBA PNG, indexes 0 to 134,
loaded as `:/icons/NNN.png` through `icons.qrc`. `keys.txt` gives the text keys of the flag
icons used by the language menu (one line per keyed icon: index, blank, key).

Everything here is regenerated by `src/make-icons.sh` (needs the Debian packages
tango-icon-theme, librsvg2-bin and imagemagick).

Sources (licences in `LICENSE`):

- **Tango**: Tango Icon Library, Debian package tango-icon-theme, public domain.
  Paths below are relative to `/usr/share/icons/Tango/16x16/`.
- **own**: drawings made for this program, SVG sources in `src/`, public domain (CC0 1.0).
- **Tango + own**: a Tango icon with a small badge drawn for this program on top.

Icons marked "-" in the last column are not used by any command at present; they hold a
neutral picture so that every index shows something sensible.

| Index | Picture | Source | Used by |
|---|---|---|---|
EOF
  table | while IFS='|' read -r idx recipe picture used; do
    src=$(printf '%s' "$recipe" | sed -e 's/^t:/Tango /; s/+t:/ + Tango /g; s/^s:/own src\//; s/+s:/ + own src\//g')
    printf '| %03d | %s | %s | %s |\n' "$idx" "$picture" "$src" "$used"
  done
} >"$out/README.md"
