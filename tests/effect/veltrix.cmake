# The effect class itself, on a recording host.
zelo_add_test_program(effect_tests
  ${CMAKE_CURRENT_LIST_DIR}/VeltrixEffectTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/VeltrixSignalPathTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/VeltrixTestSupport.cpp
)
target_link_libraries(effect_tests PRIVATE zelo_effect)
target_compile_definitions(effect_tests PRIVATE ZELO_GOLDEN_DIR="${CMAKE_CURRENT_LIST_DIR}/golden")
