# The evaluator comparison as a chart: median time per expression of the
# common set for each evaluator, on a logarithmic scale. Called by
# scripts/bench.sh with data=<tarvok-bench-peers --data file> and
# output=<png>.
set terminal pngcairo size 1100,520 font ",10"
set output output
set title "One-shot evaluation of the common expression set (median CPU time per expression, lower is better)"
set ylabel "nanoseconds of CPU time per expression"
set xlabel "expression number (see BENCHMARKS.md)"
set logscale y
set grid ytics mytics
set key top left
set style data histograms
set style histogram clustered gap 1
set style fill solid 0.9 border -1
set boxwidth 0.9
set xtics 1 nomirror
set yrange [50:*]
plot data using 3:xtic(1) title "Tarvok" lc rgb "#2a7f3f", \
     ''   using 4 title "muparser" lc rgb "#3b6fb6", \
     ''   using 5 title "muparserx" lc rgb "#8e5bb5", \
     ''   using 6 title "libqalculate" lc rgb "#c0504d"
