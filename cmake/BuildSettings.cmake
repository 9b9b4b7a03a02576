# One interface target carries the warnings and Qt strictness for every target.
add_library(pellory_build_settings INTERFACE)
target_compile_options(pellory_build_settings INTERFACE -Wall -Wextra -Wpedantic -Wno-missing-field-initializers)
target_compile_definitions(pellory_build_settings INTERFACE
    QT_NO_CAST_FROM_ASCII
    QT_NO_CAST_TO_ASCII
    QT_NO_URL_CAST_FROM_STRING
    QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
    QT_USE_QSTRINGBUILDER
    QT_NO_KEYWORDS)

if(PELLORY_SANITIZE)
    set(_san -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_compile_options(pellory_build_settings INTERFACE ${_san})
    target_link_options(pellory_build_settings INTERFACE -fsanitize=address,undefined)
endif()

if(PELLORY_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
        message(FATAL_ERROR "PELLORY_FUZZ needs clang")
    endif()
    # Instrument everything for coverage; only the fuzz targets link libFuzzer's main.
    target_compile_options(pellory_build_settings INTERFACE -fsanitize=fuzzer-no-link)
endif()
