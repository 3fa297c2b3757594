#!/usr/bin/env bash
# Screenshots of every page of the real window under Xvfb, with the substitute service running:
#   tools/shots.sh [OUTDIR]        (default: shots/; needs a build, see tools/setup.sh)
# Each page is shown by the development option --show-page right after start-up.
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-shots}
mkdir -p "$out"
bin=build/bin
display=:91
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
chmod 700 "$XDG_RUNTIME_DIR"

Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp &
xvfb=$!
"$bin/vantorel-service" --login-port 0 --web-port 4199 >/dev/null 2>&1 &
service=$!
trap 'kill $service $xvfb 2>/dev/null || true' EXIT
sleep 1

pages=(LoginPage LoadingPage LoadingSearchPage SearchMainPage SearchResultPage QuestionPage
       ComputerPage)
for page in "${pages[@]}"; do
  dir=$(mktemp -d)
  # A fixed place 30 px from the top left keeps the crop simple.
  printf '[WindowMove]\r\nMainTop=450\r\nMainLeft=450\r\n' >"$dir/config.ini"
  cp "$bin/QsDate.db" "$dir/"
  DISPLAY=$display "$bin/vantorel" --app-dir "$dir" --web-base http://127.0.0.1:4199 \
    --show-page "$page" >/dev/null 2>&1 &
  client=$!
  sleep 4  # the embedded pages load and paint
  width=240
  case $page in QuestionPage | ComputerPage) width=450 ;; esac
  DISPLAY=$display import -window root -crop "${width}x570+30+30" +repage "$out/$page.png"
  kill $client 2>/dev/null || true
  wait $client 2>/dev/null || true
  rm -rf "$dir"
done
echo "screenshots in $out/"
