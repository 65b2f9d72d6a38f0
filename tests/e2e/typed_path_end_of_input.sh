run </dev/null
expect_status 1
expect_console
