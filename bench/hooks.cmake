if(WIN32)
    # A bare pass-through hook pair, installed the same way as the library's,
    # as the baseline for the per-message cost.
    add_library(zrv_passthru SHARED win/passthru_hooks.cpp win/passthru_hooks.def)
    set_target_properties(zrv_passthru PROPERTIES PREFIX "")
    target_link_options(zrv_passthru PRIVATE -Wl,--enable-stdcall-fixup)

    zt_wine_bench(hook_cost_bench SOURCES win/hook_cost_bench.cpp LIBS zt_test_support
        DEPENDS zrv zrv_passthru)
endif()

# The library's own cost on its hot paths, linked in, every effect on.
zt_wine_bench(hot_path_bench SOURCES win/hot_path_bench.cpp LIBS zrv_core zt_test_support)
