#!/usr/bin/env bash
# The main job. For now: build the command-line evaluator and evaluate a few
# example expressions the way the hot key would.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/deps.sh
cmake --preset native >/dev/null
cmake --build --preset native -j "$(nproc)" --target tarvok-eval
for expr in "2*3+4" "Price 12*3" "SIN(PI/2)+LOG(2,8)" "SUM(1,100,SQR(2))" "1/0"; do
  printf '%-22s -> ' "$expr"
  ./build/native/tarvok-eval "$expr" || true
done
