{ for i in $(seq 1 10005); do echo "\$k$i = v"; done; echo '$output = out.cfg'; } >"$work/settings.ini"
run settings.ini </dev/null
expect_status 1
expect_console
