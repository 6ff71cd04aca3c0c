zelo_add_test_program(effect_parameter_tests
  ${CMAKE_CURRENT_LIST_DIR}/CVstParamTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/VeltrixProgramTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/VeltrixParameterTableTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/VeltrixFactoryPresetsTest.cpp
)
target_link_libraries(effect_parameter_tests PRIVATE zelo_effect_parameters)
