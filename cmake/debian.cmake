# The Debian source package (debian/): its quick checks run with the tests;
# the whole package is built, linted, installed, tested and purged in a clean
# chroot by tools/debian_package_check.sh, run by hand.
if(VELMORA_TESTS)
    add_test(NAME debian_source
        COMMAND /usr/bin/python3 ${PROJECT_SOURCE_DIR}/tests/install/debian_source_test.py
                ${PROJECT_BINARY_DIR} ${CMAKE_COMMAND} ${PROJECT_VERSION})
    set_tests_properties(debian_source PROPERTIES TIMEOUT 120 RESOURCE_LOCK velmora_install)
endif()
