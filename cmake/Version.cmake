# The programs print the project version for --version.
target_compile_definitions(common PRIVATE MOLDRIN_VERSION="${PROJECT_VERSION}")
