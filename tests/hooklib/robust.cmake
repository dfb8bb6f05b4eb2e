# The library's behaviour when memory runs out, and other faults that must
# never reach the host program.
zt_portable_test(hooklib_robust_logic_tests
    SOURCES try_vector_test.cpp reload_claim_test.cpp held_windows_test.cpp
    LIBS zrv_logic)

# Real windows, the library linked in, its hooks on the test threads.
zt_wine_test(zrv_robust_tests OWN_MAIN
    SOURCES win/robust_effects_test.cpp
    LIBS zrv_effects_harness)

# The shipped library freed while its effects are alive.
zt_wine_test(zrv_residency_tests
    SOURCES win/residency_test.cpp
    DEPENDS zrv)
