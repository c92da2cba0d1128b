# The Windows test programs run under Wine, in one throwaway prefix made for each test run
# and removed, with its Wine server, after it.
set(ZARVELL_WINE_PREFIX ${CMAKE_BINARY_DIR}/wineprefix)

add_test(NAME wine.prefix.create
         COMMAND ${CMAKE_SOURCE_DIR}/tools/wine-prefix create ${ZARVELL_WINE_PREFIX})
set_tests_properties(wine.prefix.create PROPERTIES FIXTURES_SETUP wine)
add_test(NAME wine.prefix.remove
         COMMAND ${CMAKE_SOURCE_DIR}/tools/wine-prefix remove ${ZARVELL_WINE_PREFIX})
set_tests_properties(wine.prefix.remove PROPERTIES FIXTURES_CLEANUP wine)

# A test program of this build, run through the emulator inside the run's prefix.
function(zarvell_add_wine_test name)
  add_test(NAME ${name} COMMAND ${ARGN})
  set_tests_properties(${name} PROPERTIES
    FIXTURES_REQUIRED wine
    RESOURCE_LOCK wine
    ENVIRONMENT "WINEPREFIX=${ZARVELL_WINE_PREFIX}")
endfunction()
