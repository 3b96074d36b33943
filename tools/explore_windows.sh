#!/bin/sh
# The explorer of the game's windows over its whole matrix: every kind of
# window of the window program on 800 x 600 and 1280 x 800, at scale 1 and
# 2, in full screen and with larger text; of the page at three desktop
# sizes, with its storage refused, on phones upright and sideways (Chromium)
# and upright in WebKit. Writes the last tables into docs/windows.md.
#
#   sh tools/explore_windows.sh [BUILD]     (default build-test; the page from BUILD/web/site)
#
# The test command plays its quick form (contract.windows.window,
# contract.windows.page); tests/contract/windows_explorer.py --help says more.
set -eu
REPO=$(cd "$(dirname "$0")/.." && pwd)
BUILD=$(cd "${1:-$REPO/build-test}" && pwd)
EXPLORER="$REPO/tests/contract/windows_explorer.py"
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

status=0
start=$(date +%s)
/usr/bin/python3 "$EXPLORER" --front window --all --host "$BUILD/velmora-contract-host" \
    --data "$REPO/data" --table "$WORK/window.md" --shots "$WORK/shots" || status=1
middle=$(date +%s)
/usr/bin/python3 "$EXPLORER" --front page --all --site "$BUILD/web/site" --table "$WORK/page.md" \
    --shots "$WORK/shots" || status=1
end=$(date +%s)

# The pictures docs/windows.md shows: the comforts' windows on a small
# screen at a scale factor of 2 and in full screen, the phone's menu.
SHOTS="$REPO/docs/screenshots/windows"
mkdir -p "$SHOTS"
for shot in 800-600-at-scale-2-settings 800-600-at-scale-2-history 800-600-at-scale-2-story-map \
            1280-800-full-screen-settings 1280-800-full-screen-history 1280-800-full-screen-story-map \
            phone-375-667-menu; do
  if [ -f "$WORK/shots/$shot.png" ]; then cp "$WORK/shots/$shot.png" "$SHOTS/$shot.png"; fi
done

{
  cat <<EOF
# The game's windows on every screen

The last tables of the explorer of the game's windows
(\`tests/contract/windows_explorer.py\`, written by \`sh tools/explore_windows.sh\`
on $(date -u +%Y-%m-%d)). At each kind of window, on each screen, it checks
what the player sees: every window whole on the screen; each control of the
window that takes the player's input free (a click at its centre and at its
four corners, 2 px inside, hit-tested as the player's click is, reaches it),
none cut by its own window, no text that scrolls sideways; within reach (on
a touch screen 44 x 44 CSS px and text of 16 px at least; on the desktop as
large as at scale 1); the plates and the message free while the menu or a
list waits, the main window's own buttons free beside a window of the game;
every window at the main window's scale; the keyboard's focus in the window
that waits, kept there by a click on the message, Home and End moving it;
on a touch screen a swipe down going back a step, with no complaint of the
browser. "ok": all held; a number: how many did not (listed below the
table); "—": a window that screen cannot show (the page's own windows on
the desktop program, slots where the browser refuses storage, the few
windows the WebKit driver does not reach). In WebKit the hit-tests are not
judged: its driver's browser answers them in other coordinates than its
layout's; what is laid out (whole, within reach, the focus) is.

This run took $((middle - start)) s for the window program and $((end - middle)) s
for the page. The test command plays the quick form: the window program at
1280 x 800 (the screen every other is measured against), 800 x 600 at a
scale factor of 2 and in full screen; the page with its storage refused
and on a phone held upright.

![The settings at 800 x 600 and a scale factor of 2](screenshots/windows/800-600-at-scale-2-settings.png)
![The story map, a hint shown, at 800 x 600 and a scale factor of 2](screenshots/windows/800-600-at-scale-2-story-map.png)
![The history at 800 x 600 and a scale factor of 2](screenshots/windows/800-600-at-scale-2-history.png)
![The settings in full screen](screenshots/windows/1280-800-full-screen-settings.png)
![The story map in full screen](screenshots/windows/1280-800-full-screen-story-map.png)
![The history in full screen](screenshots/windows/1280-800-full-screen-history.png)
![The menu on a phone held upright at 375 x 667, the plates and the prompt in view](screenshots/windows/phone-375-667-menu.png)

## The window program

EOF
  cat "$WORK/window.md"
  printf '\n## The page\n\n'
  cat "$WORK/page.md"
} >"$REPO/docs/windows.md"
echo "The tables: docs/windows.md"
exit $status
