# Resources every shipped program and library carries, from the one version
# number of the build (the project's VERSION):
#
#   zt_program_resources(TARGET DESCRIPTION text PRODUCT name [ICON file] [DPI_AWARE] [LIBRARY])
#       Adds a version resource and, for a program, an application manifest:
#       common controls 6, asInvoker, the supported systems, and DPI
#       awareness only where the program lays itself out in dialog units
#       (DPI_AWARE); programs that place pixel bitmaps are left to the
#       system's scaling. ICON: the program's icon as resource 1, for a
#       program whose own .rc brings none.

function(zt_program_resources target)
    if(NOT WIN32)
        return()
    endif()
    cmake_parse_arguments(P "DPI_AWARE;LIBRARY" "DESCRIPTION;PRODUCT;ICON" "" ${ARGN})
    get_target_property(out ${target} OUTPUT_NAME)
    if(NOT out)
        set(out ${target})
    endif()
    set(ZT_INTERNAL_NAME ${out})
    set(ZT_VERSION4 "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.0")
    set(ZT_VERSION_COMMAS "${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},${PROJECT_VERSION_PATCH},0")
    set(gen ${CMAKE_CURRENT_BINARY_DIR}/${target}_resources)
    if(P_LIBRARY)
        set(ZT_FILE_NAME ${out}.dll)
        set(ZT_FILE_TYPE VFT_DLL)
        # A library mapped into foreign programs must not bring its own
        # activation context into them.
        set(ZT_MANIFEST_LINE "")
    else()
        set(ZT_FILE_NAME ${out}.exe)
        set(ZT_FILE_TYPE VFT_APP)
        if(CMAKE_SIZEOF_VOID_P EQUAL 8)
            set(ZT_ARCH amd64)
        else()
            set(ZT_ARCH x86)
        endif()
        set(ZT_ASSEMBLY "${P_PRODUCT}.${out}")
        if(P_DPI_AWARE)
            set(ZT_DPI_AWARE true)
        else()
            set(ZT_DPI_AWARE false)
        endif()
        configure_file(${PROJECT_SOURCE_DIR}/cmake/program.manifest.in ${gen}/program.manifest @ONLY)
        set(ZT_MANIFEST_LINE "CREATEPROCESS_MANIFEST_RESOURCE_ID RT_MANIFEST \"${gen}/program.manifest\"")
    endif()
    set(deps "")
    if(NOT P_LIBRARY)
        list(APPEND deps ${gen}/program.manifest)
    endif()
    set(ZT_ICON_LINE "")
    if(P_ICON)
        set(ZT_ICON_LINE "1 ICON \"${P_ICON}\"")
        list(APPEND deps ${P_ICON})
    endif()
    configure_file(${PROJECT_SOURCE_DIR}/cmake/program.rc.in ${gen}/program.rc @ONLY)
    target_sources(${target} PRIVATE ${gen}/program.rc)
    set_source_files_properties(${gen}/program.rc PROPERTIES OBJECT_DEPENDS "${deps}")
endfunction()
