#!/usr/bin/env bash
# A million distinct words of eight letters, CR LF after each (10,000,000 bytes), on stdout: the
# large list both start-up comparisons load.
exec awk 'BEGIN {
  for (i = 0; i < 1000000; i++) {
    w = ""; n = i
    for (k = 0; k < 8; k++) { w = sprintf("%c", 97 + n % 26) w; n = int(n / 26) }
    printf "%s\r\n", w
  }
}'
