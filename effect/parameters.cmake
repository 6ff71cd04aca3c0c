# The effect's parameter objects, program record and factory data: no audio-thread code.
zelo_add_library(zelo_effect_parameters
  HEADERS effect/CVstParam*.h effect/Veltrix*Presets.h effect/VeltrixParameterTable.h effect/VeltrixProgram.h
  SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/CVstParam.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CVstParamFloat.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CVstParamSelect.cpp
  ${CMAKE_CURRENT_LIST_DIR}/VeltrixFactoryPresets.cpp
  ${CMAKE_CURRENT_LIST_DIR}/VeltrixParameterTable.cpp
  ${CMAKE_CURRENT_LIST_DIR}/VeltrixProgram.cpp
)
target_link_libraries(zelo_effect_parameters PUBLIC orvalite_foundation)
