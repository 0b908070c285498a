#!/usr/bin/env bash
# Makes the tiny media files the scan tests read. Run once by hand (needs ffmpeg); the tests use
# the files checked in beside this script and do not need ffmpeg.
set -euo pipefail
cd "$(dirname "$0")"
ff() { ffmpeg -hide_banner -loglevel error -y "$@"; }
video=(-f lavfi -i "testsrc=size=64x48:rate=5:duration=1.5")
tone() { echo -f lavfi -i "sine=frequency=$1:duration=1.5:sample_rate=8000"; }

cat > sub.srt <<'SRT'
1
00:00:00,000 --> 00:00:01,000
Hello
SRT

# Two audio tracks (Japanese and Russian) and an embedded English subtitle.
ff "${video[@]}" $(tone 440) $(tone 660) -i sub.srt \
    -map 0:v -map 1:a -map 2:a -map 3:s \
    -c:v libx264 -preset ultrafast -crf 40 -c:a aac -b:a 8k -c:s srt \
    -metadata:s:a:0 language=jpn -metadata:s:a:1 language=rus -metadata:s:s:0 language=eng \
    "episode 2.mkv"

# One audio track, no subtitles: an MP4.
ff "${video[@]}" $(tone 500) -map 0:v -map 1:a \
    -c:v libx264 -preset ultrafast -crf 40 -c:a aac -b:a 8k -metadata:s:a:0 language=eng \
    "episode 10.mp4"

# A Cyrillic name with spaces, with external subtitles beside it.
ff "${video[@]}" $(tone 300) -map 0:v -map 1:a \
    -c:v libx264 -preset ultrafast -crf 40 -c:a aac -b:a 8k -metadata:s:a:0 language=rus \
    "Серия 1 пролог.mkv"
cp sub.srt "Серия 1 пролог.srt"
printf '[Script Info]\nScriptType: v4.00+\n' > "Серия 1 пролог.ass"
rm sub.srt

# A file with a video name that is not media, and one that is not a video at all.
printf 'not a video, only text\n' > "broken.avi"
printf 'notes\n' > "notes.txt"
