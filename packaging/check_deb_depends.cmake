# Run by CPack after it built the .deb (CPACK_POST_BUILD_SCRIPTS). A package
# whose Depends lacks the Qt libraries was built without dpkg-shlibdeps, and
# would install on a machine that cannot start the game.
foreach(deb IN LISTS CPACK_PACKAGE_FILES)
    if(NOT deb MATCHES "\\.deb$")
        continue()
    endif()
    execute_process(COMMAND dpkg-deb --field "${deb}" Depends
        OUTPUT_VARIABLE depends RESULT_VARIABLE status OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "cannot read the Depends of ${deb}")
    endif()
    foreach(needed libqt6widgets6 libqt6multimedia6 fonts-ipafont-gothic fonts-ipafont-mincho)
        if(NOT depends MATCHES "(^|, )${needed}( |,|$)")
            file(REMOVE "${deb}")
            message(FATAL_ERROR
                "${deb} does not depend on ${needed} (Depends: ${depends}). "
                "Is dpkg-dev installed (tools/setup.sh)? The package was removed.")
        endif()
    endforeach()
    message(STATUS "Depends of ${deb}: ${depends}")
endforeach()
