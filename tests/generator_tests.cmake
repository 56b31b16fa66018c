# Unit tests of the generator, and the create mode run end to end.
add_executable(vantreel_generator_tests
  triple_table_environment.cpp
  random_source_test.cpp
  block_pattern_test.cpp
  generator_context_test.cpp
  crossing_pairs_test.cpp
  sum_probing_test.cpp
  clue_completion_test.cpp
  grading_test.cpp
  batch_test.cpp
)
target_link_libraries(vantreel_generator_tests
  PRIVATE vantreel_generator GTest::gtest_main vantreel_warnings)
gtest_discover_tests(vantreel_generator_tests DISCOVERY_TIMEOUT 60)

# Runs `vantreel c1` with a fixed seed in fresh folders and reads the file back.
add_test(NAME create_end_to_end
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/create_end_to_end.sh $<TARGET_FILE:vantreel>)
