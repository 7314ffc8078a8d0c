#!/bin/bash
# tools/install-deps.sh against a mirror that misbehaves. Stand-ins for
# apt-get, dpkg, dpkg-query, id, sudo and the clock (date +%s) come first on
# PATH, and the cache is the case's own, so nothing here touches the
# machine's packages. Each case says which packages are missing and what apt
# does, and checks the exit status, the key lines of output, the calls that
# would change the machine, and what is left missing.
#   install_deps.sh INSTALL_DEPS_SCRIPT
set -euo pipefail
script=${1:?usage: install_deps.sh INSTALL_DEPS_SCRIPT}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
bin=$tmp/bin
mkdir "$bin"

# A stand-in's state is in $STATE: missing (packages, one a line), archs
# (dpkg's foreign architectures), calls (what changed the machine, in order)
# and updates (one line per apt-get update).
# dpkg-query is asked once per wanted package, so it is a plain sh loop.
cat >"$bin/dpkg-query" <<'EOF'
#!/bin/sh
eval "package=\${$#}"
while IFS= read -r missing; do [ "$missing" = "$package" ] && exit 0; done <"$STATE/missing"
printf 'install ok installed'
EOF
cat >"$bin/dpkg" <<'EOF'
#!/bin/bash
case $1 in
--print-foreign-architectures) cat "$STATE/archs" ;;
--add-architecture) echo "$2" >>"$STATE/archs" && echo "${SUDO:-}dpkg $*" >>"$STATE/calls" ;;
*) exit 2 ;;
esac
EOF
cat >"$bin/id" <<'EOF'
#!/bin/bash
echo "$RUN_UID"
EOF
# The clock is $NOW; date's other uses are the real one's.
cat >"$bin/date" <<EOF
#!/bin/bash
if [ "\$*" = +%s ]; then echo "\$NOW"; else exec $(command -v date) "\$@"; fi
EOF
cat >"$bin/sudo" <<'EOF'
#!/bin/bash
export SUDO="sudo "
exec "$@"
EOF
# UPDATES says what each apt-get update does in turn (ok, fail: exit 100 as
# apt 2 does, warn: exit 0 with a warning, as older ones do), the last word
# for every try after. UNKNOWN, NOCANDIDATE and UNMET name packages that apt
# cannot install, each with apt's own words for why.
cat >"$bin/apt-get" <<'EOF'
#!/bin/bash
command=$1
packages=()
for arg in "${@:2}"; do [[ $arg == -* ]] || packages+=("$arg"); done
echo "${SUDO:-}apt-get $command${packages[*]:+ ${packages[*]}}" >>"$STATE/calls"
if [ "$command" = update ]; then
    echo try >>"$STATE/updates"
    read -ra outcomes <<<"$UPDATES"
    outcome=${outcomes[$(wc -l <"$STATE/updates") - 1]:-${outcomes[-1]}}
    url=http://deb.debian.org/debian-security/dists/bookworm-security/main/binary-i386/Packages.xz
    why="File has unexpected size (374820 != 376004). Mirror sync in progress? [IP: 203.0.113.80 80]"
    case $outcome in
    ok) echo "Reading package lists..." ;;
    warn) echo "W: Failed to fetch $url  $why" ;;
    fail)
        printf 'Err:6 http://deb.debian.org/debian-security bookworm-security/main i386 Packages\n  %s\n' "$why"
        echo "E: Failed to fetch $url  $why"
        echo "E: Some index files failed to download. They have been ignored, or old ones used instead."
        exit 100
        ;;
    esac
    exit 0
fi
status=0
for package in "${packages[@]}"; do
    if [[ " $UNKNOWN " == *" $package "* ]]; then
        echo "E: Unable to locate package $package" && status=100
    elif [[ " $NOCANDIDATE " == *" $package "* ]]; then
        printf 'Package %s is not available, but is referred to by another package.\n\n' "$package"
        echo "E: Package '$package' has no installation candidate" && status=100
    elif [[ " $UNMET " == *" $package "* ]]; then
        echo "The following packages have unmet dependencies:"
        echo " $package : Depends: zlib1g:i386 (>= 1:1.2.13.dfsg-1+deb12u1) but 1:1.2.13.dfsg-1 is to be installed"
        echo "E: Unable to correct problems, you have held broken packages." && status=100
    fi
done
[ "$status" -eq 0 ] || exit "$status"
for package in "${packages[@]}"; do
    echo "Setting up $package ..."
    grep -vxF -- "$package" "$STATE/missing" >"$STATE/kept" || true
    mv "$STATE/kept" "$STATE/missing"
done
EOF
chmod +x "$bin"/*

# Words in a file, or on standard input, joined with $1.
joined() { awk -v sep="$1" '{ printf "%s%s", (NR > 1 ? sep : ""), $0 }' "${@:2}"; }

# The first run's clock: 2026-12-10 08:00 UTC.
day0=1796889600
stamp="[^ ]*/cache/scrivlet/wine32-unavailable"
failures=0
# check NAME KEY=VALUE...: one case. The scenario: args, uid, missing, archs,
# updates, unknown, nocandidate, unmet, and at: the runs, each that many
# seconds after the first (one run by default), with then_missing missing
# too from the second run on. What must come of it: status, calls (of every
# run), left (still missing), lines (of the last run's output), say, an
# extended regular expression some line must match (say may repeat), and
# last, one the last line must match.
check() {
    local name=$1 args="" uid=0 missing="" archs=i386 updates=ok unknown="" nocandidate="" unmet="" at=0
    local then_missing="" status=0 calls="" left="" lines="" last="" says=() pair state out got run problems=()
    shift
    for pair; do
        case $pair in
        say=*) says+=("${pair#say=}") ;;
        *) local "${pair%%=*}=${pair#*=}" ;;
        esac
    done
    state=$(mktemp -d "$tmp/case.XXXX")
    tr ' ' '\n' <<<"$missing" | sed '/^$/d' >"$state/missing"
    echo "$archs" >"$state/archs"
    : >"$state/calls"
    for run in $at; do
        [ "$run" = "${at%% *}" ] || tr ' ' '\n' <<<"$then_missing" | sed '/^$/d' >>"$state/missing"
        got=0
        out=$(PATH="$bin:$PATH" STATE=$state RUN_UID=$uid UPDATES=$updates UNKNOWN=$unknown \
            NOCANDIDATE=$nocandidate UNMET=$unmet NOW=$((day0 + run)) TZ=UTC XDG_CACHE_HOME=$state/cache \
            bash "$script" ${args:+"$args"} 2>&1) || got=$?
    done
    [ "$got" -eq "$status" ] || problems+=("exit status $got, not $status")
    [ "$(joined '; ' "$state/calls")" = "$calls" ] || problems+=("calls: $(joined '; ' "$state/calls")")
    [ "$(joined ' ' "$state/missing")" = "$left" ] || problems+=("left missing: $(joined ' ' "$state/missing")")
    local count
    count=$(printf '%s' "$out" | awk 'END { print NR }')
    [ -z "$lines" ] || [ "$count" -eq "$lines" ] || problems+=("$count lines of output, not $lines")
    [ -z "$last" ] || tail -n 1 <<<"$out" | grep -qE -- "$last" || problems+=("the last line does not say: $last")
    for say in "${says[@]}"; do
        grep -qE -- "$say" <<<"$out" || problems+=("no line says: $say")
    done
    if [ ${#problems[@]} -eq 0 ]; then
        echo "ok   $name"
    else
        failures=$((failures + 1))
        echo "FAIL $name"
        printf '       %s\n' "${problems[@]}"
        awk '{ print "     | " $0 }' <<<"$out"
    fi
}

check "nothing missing but a bench package: apt is never called" \
    missing=tuxpaint left=tuxpaint lines=0
check "an unknown argument: exit 2" \
    args=--fast missing=cmake left=cmake status=2 say="unknown argument '--fast'" lines=1
# Installing and apt's one line for cmake; the failed first update goes unsaid.
check "an update that warns of a failed index, then works" \
    missing="cmake wine32:i386" archs="" updates="warn ok" \
    calls="dpkg --add-architecture i386; apt-get update; apt-get update; apt-get install cmake; apt-get install wine32:i386" \
    say="^Installing: cmake wine32:i386$" lines=2
check "an update that keeps failing: on with the lists apt has" \
    missing=xvfb updates=fail calls="apt-get update; apt-get update; apt-get install xvfb" \
    say="^install-deps.sh: apt-get update could not fetch some indexes \(bookworm-security/main i386 Packages\); going on with the package lists apt has.$" \
    lines=3
check "i386 behind amd64, through sudo: the rest installed, the 64-bit build" \
    uid=1000 missing="fonts-wine wine32:i386" unmet=wine32:i386 left=wine32:i386 \
    calls="sudo apt-get update; sudo apt-get install fonts-wine; sudo apt-get install wine32:i386" \
    say="^Setting up fonts-wine" \
    say="^install-deps.sh: 32-bit Wine \(wine32:i386\) could not be installed \(wine32:i386 : Depends: zlib1g:i386 \(>= 1:1.2.13.dfsg-1\+deb12u1\) but 1:1.2.13.dfsg-1 is to be installed\), so the Wine tests will run the 64-bit Windows build; later runs ask apt again after 2026-12-11 08:00, or at once if $stamp is removed.$" \
    lines=3
# The run an hour later, through sudo, asks apt nothing, and says why.
check "32-bit Wine not in the lists: the next run updates nothing" \
    uid=1000 missing=wine32:i386 unknown=wine32:i386 left=wine32:i386 at="0 3600" \
    calls="sudo apt-get update; sudo apt-get install wine32:i386" \
    say="^install-deps.sh: 32-bit Wine \(wine32:i386\) could not be installed on 2026-12-10 08:00 \(Unable to locate package wine32:i386\), so the Wine tests run the 64-bit Windows build; apt is asked again after 2026-12-11 08:00, or at once if $stamp is removed.$" \
    lines=1
check "a day after 32-bit Wine failed: apt is asked again" \
    missing=wine32:i386 unmet=wine32:i386 left=wine32:i386 at="0 86400" \
    calls="apt-get update; apt-get install wine32:i386; apt-get update; apt-get install wine32:i386" \
    say="later runs ask apt again after 2026-12-12 08:00" lines=1
check "a main package missing after 32-bit Wine failed: updated and installed" \
    missing=wine32:i386 unknown=wine32:i386 then_missing=cmake left=wine32:i386 at="0 60" \
    calls="apt-get update; apt-get install wine32:i386; apt-get update; apt-get install cmake; apt-get install wine32:i386" \
    say="^Setting up cmake" lines=3
check "a package missing everywhere: fails, naming it and apt's reason" \
    missing="libgtk-3-dev wine32:i386" unknown=libgtk-3-dev status=1 left="libgtk-3-dev wine32:i386" \
    calls="apt-get update; apt-get install libgtk-3-dev" \
    say="^install-deps.sh: could not install libgtk-3-dev; apt-get said:$" \
    last="^E: Unable to locate package libgtk-3-dev$"
check "--bench, a package with no candidate: fails, naming it and apt's reason" \
    args=--bench missing="tuxpaint weston" nocandidate=tuxpaint status=1 left="tuxpaint weston" \
    calls="apt-get update; apt-get install weston tuxpaint" \
    say="^install-deps.sh: could not install tuxpaint; apt-get said:$" \
    last="^E: Package 'tuxpaint' has no installation candidate$"

[ "$failures" -eq 0 ] || { echo "$failures case(s) failed"; exit 1; }
