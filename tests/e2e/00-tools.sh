# The test tools themselves, before any scenario relies on them: the probe
# reads a field (line breaks escaped), puts and dumps the clipboard
# faithfully, and tells a missing block or registry value from a present one.
source "$(dirname "$0")/lib.sh"
trap e2e_cleanup EXIT
e2e_environment
for required in tarvok-probe.exe tarvok-target.exe; do
  [ -f "$E2E_BIN/$required" ] || skip "$required is not built yet"
done
rm -rf "$E2E_WORK" && mkdir -p "$E2E_WORK"

start_target "Probe Check"
focus "Probe Check"
type_text "a b"
press Return Tab
type_text "c"
expect_text "Probe Check" 'a b\n\tc'

probe clip-put-text "plain 8-bit" || fail "clip-put-text failed"
[ "$(probe clip-text)" = "plain 8-bit" ] || fail "clip-text reads '$(probe clip-text)'"

probe clip-put-set || fail "clip-put-set failed"
dump=$(probe clip-dump)
first_four=$(head -n 4 <<<"$dump")
expected_four="CF_TEXT 18 8df79bf16d4e9ae4
CF_UNICODETEXT 46 e04cbe97a9b21b41
Tarvok Probe Bytes 64 21c600b58bb4e465
CF_BITMAP 8x8 1b1575b47231f761"
[ "$first_four" = "$expected_four" ] || fail "clip-dump after clip-put-set:"$'\n'"$dump"
[ "$(probe clip-dump)" = "$dump" ] || fail "two dumps of one clipboard differ"

sequence=$(probe clip-seq)
probe wait-clip-back "$sequence" 300 >/dev/null 2>&1 && fail "wait-clip-back saw a change that did not happen"
probe clip-put-text "other" && probe clip-put-set
probe wait-clip-back "$sequence" 2000 || fail "wait-clip-back missed the clipboard's return"

probe reg-clear || fail "reg-clear failed"
probe reg-get Path >/dev/null && fail "reg-get found a value in a cleared key"
if ! probe wait-gone TMainForm 0 >/dev/null 2>&1; then
  log "a controller runs: the block check is left out"
else
  probe mapping-dump >/dev/null && fail "mapping-dump found a block without a controller"
fi
probe wait-window "No Such Window" 200 >/dev/null 2>&1 && fail "wait-window found a window that does not exist"
exit 0
