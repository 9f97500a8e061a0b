# Warnings apply to our own targets only (third-party sources such as GoogleTest are built as they come).
function(vyro_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
endfunction()
