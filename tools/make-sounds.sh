#!/usr/bin/env bash
# Makes every sound of resources/sounds/ from nothing: the table sounds are synthesised with
# sox, the chatter sounds are spoken by espeak-ng or made from shaped noise. The results are
# committed, so neither the build nor the program needs these tools:
#   apt-get install sox espeak-ng && tools/make-sounds.sh [output folder]
# sox runs in repeatable mode (-R), so the same tools give the same files.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/resources/sounds}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$out"

rate=22050
opts=(-R -D -G)                                # repeatable, no dither, no clipping
format=(-r "$rate" -c 1 -b 16 -e signed-integer) # what every file is made into

# synth FILE SECONDS "GENERATORS" EFFECTS... : a working file from sox's generators, one
# channel per generator (a remix among the effects weighs and folds them), 6 dB below full
# scale so that filters have room.
synth() {
    local file=$1 seconds=$2 generators=$3 channels=0 word
    shift 3
    for word in $generators; do
        case $word in
        sine | square | triangle | sawtooth | trapezium | exp | whitenoise | pinknoise | \
            brownnoise | pluck) channels=$((channels + 1)) ;;
        esac
    done
    # shellcheck disable=SC2086 # the generators are words on purpose
    sox -R -D -r 44100 -c "$channels" -n -b 16 "$work/$file.wav" \
        synth "$seconds" $generators gain -6 "$@" channels 1 rate "$rate"
}

# effect IN OUT EFFECTS... : one working file into another through sox effects.
effect() {
    local in=$1 to=$2
    shift 2
    sox "${opts[@]}" "$work/$in.wav" "${format[@]}" "$work/$to.wav" "$@"
}

# mix OUT IN... : working files played together (each starts at 0; pad them to place them),
# brought back up to 1 dB below full scale.
mix() {
    local to=$1
    shift
    local inputs=()
    for f in "$@"; do inputs+=("$work/$f.wav"); done
    sox -R -D -m "${inputs[@]}" "${format[@]}" "$work/$to.wav" norm -1
}

# join OUT IN... : working files one after another.
join() {
    local to=$1
    shift
    local inputs=()
    for f in "$@"; do inputs+=("$work/$f.wav"); done
    sox "${opts[@]}" "${inputs[@]}" "${format[@]}" "$work/$to.wav"
}

# say FILE VOICE PITCH WORDS-PER-MINUTE TEXT : espeak-ng speaking into a working file; the
# text may carry SSML marks (breaks, prosody).
say() {
    espeak-ng -m -v "$2" -p "$3" -s "$4" -w "$work/$1.wav" "<speak>$5</speak>"
}

# finish IN NAME PEAK-DB : the committed file: quiet ends cut, at most 1.45 s with a short
# fade at both ends so nothing clicks, peak at PEAK-DB dBFS.
finish() {
    sox -V1 "${opts[@]}" "$work/$1.wav" "${format[@]}" "$work/$1-cut.wav" \
        silence 1 0.005 0.3% reverse silence 1 0.005 0.3% reverse trim 0 1.45
    sox -R -D "$work/$1-cut.wav" "${format[@]}" "$out/$2.wav" \
        fade t 0.003 "$(soxi -D "$work/$1-cut.wav")" 0.02 gain -n "$3"
    echo "$2: $(soxi -D "$out/$2.wav") s"
}

# ---------------------------------------------------------------- table sounds

# A player sits down: a two-note door chime, high then low.
entered() {
    synth ding 0.45 "sine 1319 sine 2638" remix 1,2v0.25 fade q 0.005 0.45 0.4
    synth dong 0.7 "sine 1047 sine 2093" remix 1,2v0.25 fade q 0.005 0.7 0.65
    effect dong dong-late pad 0.22
    mix entered ding dong-late
    finish entered entered -3
}

# A card put down: a dry snap of bright noise over a short low knock, dying away at once.
placecard() {
    synth snap 0.03 "whitenoise" highpass 2000 lowpass 8000 fade l 0.001 0.03 0.029
    synth knock 0.2 "sine 160 sine 320" remix 1,2v0.3 fade l 0.002 0.2 0.198
    mix card snap knock
    effect card card-table reverb 15 50 10 pad 0 0.03
    finish card-table placecard -8
}

# A trick swept off the table: short swells of noise, each overlapping the last, whose band
# climbs from low to high (a swoosh).
taketrick() {
    local parts=() i=0 centre
    for centre in 400 550 750 1000 1350 1800 2400 3200; do
        synth "sw$i" 0.16 "pinknoise" band "$centre" "$((centre / 2))" fade h 0.07 0.16 0.08 \
            pad "$(echo "$i * 0.055" | bc -l)"
        parts+=("sw$i")
        i=$((i + 1))
    done
    mix sweep "${parts[@]}"
    effect sweep taketrick-shaped fade h 0.15 0.54 0.25 reverb 20
    finish taketrick-shaped taketrick -4
}

# A round is over: three bell tones rising, C-E-G, ringing on.
roundover() {
    local notes=(1047 1319 1568) i=0
    for f in "${notes[@]}"; do
        synth "bell$i" 1.0 "sine $f sine $((f * 2)) sine $((f * 3))" \
            remix 1v0.7,2v0.2,3v0.1 fade q 0.003 1.0 0.97
        effect "bell$i" "bell$i-at" pad "$(echo "$i * 0.18" | bc -l)"
        i=$((i + 1))
    done
    mix chime bell0-at bell1-at bell2-at
    effect chime chime-room reverb 40
    finish chime-room roundover -3
}

# The game is won: a short brass fanfare, G-C-E then a held high C.
winner() {
    local i=0 parts=()
    for note in "392 0.16" "523 0.16" "659 0.16" "1047 0.75"; do
        set -- $note
        synth "f$i" "$2" "sawtooth $1 sawtooth $(echo "$1 * 1.004" | bc -l)" \
            remix 1,2 lowpass 2600 fade q 0.02 "$2" 0.06 tremolo 6 15
        parts+=("f$i")
        i=$((i + 1))
    done
    join fanfare "${parts[@]}"
    effect fanfare fanfare-hall reverb 35
    finish fanfare-hall winner -3
}

# A card refused: a low, harsh double buzz.
error() {
    synth buzz 0.16 "square 110 square 117" remix 1,2 lowpass 3000 fade q 0.005 0.16 0.02
    synth gap 0.07 "sine 0" gain -100
    join error-buzz buzz gap buzz
    finish error-buzz error -4
}

# Your turn (Classic): a clear two-tone "ding-ding", low then high.
turn() {
    synth t1 0.22 "sine 880 sine 1760" remix 1,2v0.2 fade q 0.004 0.22 0.2
    synth t2 0.4 "sine 1175 sine 2350" remix 1,2v0.2 fade q 0.004 0.4 0.38
    join turn-tones t1 t2
    finish turn-tones turn -4
}

# Your turn (New): a quick wooden three-note run upwards, plucked.
turnnew() {
    local i=0 parts=()
    for f in 523 659 784; do
        synth "m$i" 0.11 "pluck $f"
        parts+=("m$i")
        i=$((i + 1))
    done
    synth m-last 0.35 "pluck 1047"
    join run "${parts[@]}" m-last
    effect run run-room reverb 25
    finish run-room turnnew -4
}

# ---------------------------------------------------------------- chatter sounds

spoken() { # NAME VOICE PITCH SPEED TEXT
    say "$1-voice" "$2" "$3" "$4" "$5"
    finish "$1-voice" "$1" -3
}

# Several voices saying one thing together, a little apart: a small crowd.
crowd() { # NAME SPEED TEXT
    local name=$1 speed=$2 text=$3 i=0 parts=()
    for v in "en+m3 35 0" "en+f2 70 0.04" "en+m1 50 0.08" "en+f4 85 0.03" "en+m7 25 0.06"; do
        set -- $v
        say "$name-$i" "$1" "$2" "$speed" "$text"
        effect "$name-$i" "$name-$i-at" pad "$3"
        parts+=("$name-$i-at")
        i=$((i + 1))
    done
    mix "$name-crowd" "${parts[@]}"
    effect "$name-crowd" "$name-room" reverb 50
    finish "$name-room" "$name" -3
}

# A cough: two short rough bursts, a breathy "kh" over a hoarse voiced grunt.
cough() {
    local i
    for i in 1 2; do
        synth "air$i" 0.18 "whitenoise" band 1500 1400 fade t 0.004 0.18 0.15
        synth "voice$i" 0.18 "sawtooth $((150 - i * 20))" lowpass 900 overdrive 15 \
            fade t 0.004 0.18 0.15
        mix "c$i" "air$i" "voice$i"
    done
    effect c2 c2-soft gain -4
    synth cgap 0.1 "sine 0" gain -100
    join cough c1 cgap c2-soft
    finish cough wave2 -3
}

# Snoring: a slow rattling breath in, a soft whistle out.
snoring() {
    synth in 0.8 "brownnoise" lowpass 500 tremolo 28 90 fade h 0.35 0.8 0.3
    synth out 0.55 "pinknoise" band 1200 400 fade h 0.2 0.55 0.3 gain -9
    join snore in out
    finish snore wave6 -3
}

# Applause: ninety hand claps at scattered moments over a second and a half.
applause() {
    RANDOM=13
    local parts=() i
    for i in $(seq 0 89); do
        local centre=$((900 + RANDOM % 1400)) ms=$((RANDOM % 1300)) at
        at=$(echo "$ms / 1000" | bc -l) # RANDOM only here: a subshell would reseed it
        synth "clap$i" 0.04 "whitenoise" band "$centre" 800 fade l 0.001 0.04 0.039 \
            gain "-$((RANDOM % 8))" pad "$at"
        parts+=("clap$i")
    done
    mix claps "${parts[@]}"
    effect claps claps-room reverb 30 fade t 0.1 1.3 0.3
    finish claps-room wave13 -3
}

# Honk: a two-tone car horn.
honk() {
    synth horn 0.55 "sawtooth 370 sawtooth 466" remix 1,2 lowpass 1800 overdrive 6 \
        fade q 0.01 0.55 0.05
    finish horn wave14 -3
}

# Razzberry: lips blown at someone, a wet low flutter.
razzberry() {
    synth lips 0.9 "sawtooth 70 brownnoise" remix 1v0.8,2v0.4 tremolo 31 95 overdrive 20 gain -4 \
        lowpass 2200 fade q 0.03 0.9 0.15
    finish lips wave16 -3
}

entered
placecard
taketrick
roundover
winner
error
turn
turnnew

spoken wave1 en-us+m3 20 110 '<prosody pitch="low" rate="slow">Dohhh!</prosody>'
cough
spoken wave3 en+m3 50 160 "Hello!"
spoken wave4 en+f2 55 165 "Thank you!"
spoken wave5 en+m1 50 200 "Where have you been?"
snoring
spoken wave7 en-us+m3 50 150 '<prosody pitch="40">ah</prosody><break time="120ms"/>
    <prosody pitch="60">ahh</prosody><break time="80ms"/>
    <prosody pitch="90" rate="fast">CHOO!</prosody>'
spoken wave8 en+f3 45 140 "Sorry."
spoken wave9 en+f2 55 160 "Welcome!"
spoken wave10 en+m7 90 150 "Yee haa!"
spoken wave11 en+f4 95 170 "Yippee!"
spoken wave12 en+m1 45 130 "Oh no!"
applause
honk
crowd wave15 90 "Ooooh!"
razzberry
crowd wave17 170 "Hooray!"
spoken wave18 en+f4 90 220 "ha ha ha ha ha"
spoken wave19 en+m3 20 200 "ho ho ho ha ha ha"
spoken wave20 en+f2 70 140 "boo hoo hoo hoo"

# Two spectrum pictures for the eye: the swoosh climbing, the claps scattered.
if [ "$out" = "$root/resources/sounds" ]; then
    for name in taketrick wave13; do
        sox "$out/$name.wav" -n spectrogram -x 400 -y 129 -z 80 -h -t "$name" -c "tools/make-sounds.sh" \
            -o "$root/tools/sound-$name.png"
    done
fi
