# What `cmake --install` puts where. Two components: "programs" for the users of kr6csv
# (the programs, their manual pages, the completion, the menu entry and the documents),
# "library" for other C++ programs (kr6core, its headers and its CMake package).
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

install(TARGETS kr6csv RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT programs)
install(FILES README.md docs/findings.md DESTINATION ${CMAKE_INSTALL_DOCDIR} COMPONENT programs)
install(FILES examples/demo-kr6.zip DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples
        COMPONENT programs)

if(TARGET kr6csv-gui)
    install(TARGETS kr6csv-gui RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT programs)
endif()
if(TARGET kr6csv-gui AND NOT WIN32)
    install(FILES packaging/kr6csv-gui.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications
            COMPONENT programs)
    # The picture at 48 pixels (rendered from the drawing with rsvg-convert) is for menus that
    # show no drawings.
    install(FILES packaging/kr6csv-gui.svg
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps COMPONENT programs)
    install(FILES packaging/kr6csv-gui-48.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/48x48/apps RENAME kr6csv-gui.png
            COMPONENT programs)
endif()

# The manual pages and the completion are made from the programs' own help, so they are
# made for the machine that builds: not when cross-building.
if(NOT CMAKE_CROSSCOMPILING AND NOT WIN32)
    find_program(KR6_HELP2MAN help2man)
    if(NOT KR6_HELP2MAN)
        message(WARNING "help2man not found: no manual pages (tools/debian-packages.txt names it)")
    endif()
    set(KR6_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
    set(KR6_GENERATED_FILES)
    # kr6_manual_page(TARGET SUMMARY): TARGET.1 from the program's help and packaging/TARGET.h2m.in.
    function(kr6_manual_page Target Summary)
        if(NOT KR6_HELP2MAN OR NOT TARGET ${Target})
            return()
        endif()
        configure_file(${CMAKE_SOURCE_DIR}/packaging/${Target}.h2m.in
                       ${KR6_GENERATED_DIR}/${Target}.h2m @ONLY)
        set(Page ${KR6_GENERATED_DIR}/man1/${Target}.1)
        add_custom_command(
            OUTPUT ${Page}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${KR6_GENERATED_DIR}/man1
            COMMAND ${CMAKE_SOURCE_DIR}/tools/make-manpage.sh $<TARGET_FILE:${Target}>
                    ${KR6_GENERATED_DIR}/${Target}.h2m ${Summary} ${Page}
            DEPENDS ${Target} ${KR6_GENERATED_DIR}/${Target}.h2m
                    ${CMAKE_SOURCE_DIR}/tools/make-manpage.sh
                    ${CMAKE_SOURCE_DIR}/tools/help-to-roff.awk
            COMMENT "Manual page ${Target}(1)"
            VERBATIM)
        install(FILES ${Page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT programs)
        set(KR6_GENERATED_FILES ${KR6_GENERATED_FILES} ${Page} PARENT_SCOPE)
    endfunction()
    kr6_manual_page(kr6csv "lens and coating combinations of KR6 price lists")
    kr6_manual_page(kr6csv-gui "window for the lens and coating combinations of KR6 price lists")

    set(Completion ${KR6_GENERATED_DIR}/completions/kr6csv)
    add_custom_command(
        OUTPUT ${Completion}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${KR6_GENERATED_DIR}/completions
        COMMAND ${CMAKE_SOURCE_DIR}/tools/make-completion.sh $<TARGET_FILE:kr6csv> ${Completion}
        DEPENDS kr6csv ${CMAKE_SOURCE_DIR}/tools/make-completion.sh
        COMMENT "Bash completion of kr6csv"
        VERBATIM)
    install(FILES ${Completion} DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
            COMPONENT programs)
    add_custom_target(kr6-generated-docs ALL DEPENDS ${KR6_GENERATED_FILES} ${Completion})
endif()

# The headers a program needs to import a list, read its findings, evaluate it, check a
# combination, compare two lists and read the model, with every header of the library they
# include; the rest stays private to the build.
set(KR6_PUBLIC_HEADERS
    import/Kr6Import.h
    import/Kr6Finding.h
    import/Kr6Findings.h
    export/DeliveryGaps.h
    model/Root.h
    model/Glasses.h
    model/Coatings.h
    model/Combinations.h
    export/EvaluateCombinations.h
    export/CombinationExplanation.h
    export/LensOverview.h
    export/ListDigest.h
    export/RowDifference.h
    support/Cp1252.h
    support/StringList.h
    support/TextCompare.h
    support/Version.h)

# Adds to the list named by Headers every library header that its headers include.
function(kr6_included_headers Headers)
    set(Pending ${${Headers}})
    set(Found)
    while(Pending)
        list(POP_FRONT Pending Header)
        if(Header IN_LIST Found)
            continue()
        endif()
        list(APPEND Found ${Header})
        set_property(DIRECTORY ${CMAKE_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
                     ${CMAKE_SOURCE_DIR}/${Header})
        file(STRINGS ${CMAKE_SOURCE_DIR}/${Header} Includes REGEX "^#include \"")
        foreach(Include IN LISTS Includes)
            string(REGEX REPLACE "^#include \"([^\"]+)\".*" "\\1" Included "${Include}")
            list(APPEND Pending ${Included})
        endforeach()
    endwhile()
    set(${Headers} ${Found} PARENT_SCOPE)
endfunction()
kr6_included_headers(KR6_PUBLIC_HEADERS)

set(KR6_INCLUDE_DIR ${CMAKE_INSTALL_INCLUDEDIR}/kr6)
foreach(Header IN LISTS KR6_PUBLIC_HEADERS)
    get_filename_component(Folder ${Header} DIRECTORY)
    install(FILES ${Header} DESTINATION ${KR6_INCLUDE_DIR}/${Folder} COMPONENT library)
endforeach()

# <kr6/import/Kr6Import.h> for programs; the headers include each other as "model/Root.h".
target_include_directories(kr6core INTERFACE $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>
                                             $<INSTALL_INTERFACE:${KR6_INCLUDE_DIR}>)
set(KR6_PACKAGE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/kr6core)
install(TARGETS kr6core EXPORT kr6coreTargets ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
        COMPONENT library)
install(EXPORT kr6coreTargets NAMESPACE kr6:: DESTINATION ${KR6_PACKAGE_DIR} COMPONENT library)
configure_package_config_file(cmake/kr6coreConfig.cmake.in
                              ${CMAKE_BINARY_DIR}/generated/kr6coreConfig.cmake
                              INSTALL_DESTINATION ${KR6_PACKAGE_DIR})
# Before 1.0 a new minor version may change the library's interface.
write_basic_package_version_file(${CMAKE_BINARY_DIR}/generated/kr6coreConfigVersion.cmake
                                 COMPATIBILITY SameMinorVersion)
install(FILES ${CMAKE_BINARY_DIR}/generated/kr6coreConfig.cmake
              ${CMAKE_BINARY_DIR}/generated/kr6coreConfigVersion.cmake
        DESTINATION ${KR6_PACKAGE_DIR} COMPONENT library)
install(DIRECTORY examples/library/ DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples/library
        COMPONENT library)
