# Wine's own programs under the resident loader with every effect on, driven by
# real input (scripts/run-soak.sh real): not a test, run by hand.
zt_wine_bench(real_programs_soak SOURCES win/real_programs_soak.cpp LIBS zt_test_support)
