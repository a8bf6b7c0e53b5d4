#!/usr/bin/env bash
# Writes the small fixture pages of the pipeline tests (see README.md for what
# each one must give). Run: bash tests/data/pages/make_pages.sh. Needs iconv.
set -euo pipefail
export LC_ALL=C
cd "$(dirname "$0")"

marker='"depTypeCode":"root_xuefks_xy_wsjs"'
basic='[{"question":"T1","lpQuestionAnswerList":[{"optionNum":"A","contentType":"正确"},{"optionNum":"B","contentType":"错误"}],"num":1},{"question":"T2","lpQuestionAnswerList":[{"optionNum":"A","contentType":"是"}],"num":2}]'
t2='{"question":"T2","lpQuestionAnswerList":[{"optionNum":"A","contentType":"是"}],"num":2}'

config() { printf '<script>var cfg = {%s,"paperId":"P1"};</script>' "$1"; }
input() { printf "<input type='hidden' value = '%s' id='questoinList'/>" "$1"; }

# page FILE LINE...: the lines between <body> and </body>, CR LF endings.
page() {
  local file=$1; shift
  printf '%s\r\n' '<html><head><meta charset="utf-8"><title>exam</title></head>' '<body>' "$@" '</body></html>' >"$file"
}
marker_page() { page "$1" "<div class=\"box\">$(config "$marker")$(input "$2")<div id=\"q\"></div></div>"; }

marker_page basic-utf8.html "$basic"
iconv -f UTF-8 -t GBK basic-utf8.html >basic-gbk.html
cmp -s <(iconv -f GBK -t UTF-8 basic-gbk.html) basic-utf8.html

expected=$'1、T1\r\n    A、正确    B、错误\r\n\r\n2、T2\r\n    A、是\r\n\r\n'
printf '%s' "$expected" >basic-expected-utf8.txt
printf '%s' "$expected" | iconv -f UTF-8 -t GBK >basic-expected-gbk.txt

# Finding the marker line.
page marker-capitals.html "$(config '"DEPTYPECODE":"ROOT_XUEFKS_XY_WSJS"')$(input "$basic")"
page two-marker-lines.html "$(config "$marker")" "$(config "$marker")$(input "$basic")"
page marker-without-input.html "$(config "$marker")" "$(input "$basic")"
page no-marker.html "$(config '"depTypeCode":"root_other"')$(input "$basic")"
printf '%s\n' '<html><head><title>exam</title></head>' '<body>' "$(config "$marker")" "$(input "$basic")" '</body></html>' >lf-only.html

# Where the page text ends.
page nul-before-marker.html $'<p>a\x01b</p>' "$(config "$marker")$(input "$basic")"
page ctrl-z-before-marker.html $'<p>a\x1Ab</p>' "$(config "$marker")$(input "$basic")"
page nul-after-marker.html "$(config "$marker")$(input "$basic")" $'<p>a\x01b</p>'
# bash cannot hold a NUL in a string: the placeholder 01 becomes 00 here.
for f in nul-before-marker.html nul-after-marker.html; do tr '\001' '\000' <"$f" >"$f.tmp" && mv "$f.tmp" "$f"; done

# Encodings.
{ printf '\xEF\xBB\xBF'; cat basic-utf8.html; } >utf8-bom.html
{ printf '\xFF\xFE'; iconv -f UTF-8 -t UTF-16LE basic-utf8.html; } >utf16le-bom.html
{ printf '\xFE\xFF'; iconv -f UTF-8 -t UTF-16BE basic-utf8.html; } >utf16be-bom.html

# Cutting the hidden input.
page input-other-spacing.html "$(config "$marker")<input type='hidden' value='$basic' id='questoinList'/>"
page input-capitals.html "$(config "$marker")<INPUT TYPE='hidden' VALUE = '$basic' ID='questoinList'/>"

# Question lists.
marker_page members-num-first.html '[{"num":1,"question":"T1","lpQuestionAnswerList":[{"optionNum":"A","contentType":"正确"},{"optionNum":"B","contentType":"错误"}]},'"$t2]"
marker_page option-with-num.html '[{"question":"T1","lpQuestionAnswerList":[{"optionNum":"A","num":7,"contentType":"正确"},{"optionNum":"B","contentType":"错误"}],"num":1},{"question":"T2","lpQuestionAnswerList":[{"num":1,"optionNum":"A","contentType":"是"}],"num":2}]'
marker_page empty-and-null-options.html '[{"question":"T1","lpQuestionAnswerList":[],"num":1},{"question":"T2","lpQuestionAnswerList":null,"num":2}]'
marker_page num-number-and-string.html '[{"question":"T1","lpQuestionAnswerList":[{"optionNum":"A","contentType":"是"}],"num":1},{"question":"T2","lpQuestionAnswerList":[{"optionNum":"A","contentType":"否"}],"num":"2"},{"question":"T3","lpQuestionAnswerList":[{"optionNum":"A","contentType":"是"}]}]'
marker_page escaped-crlf.html '[{"question":"T1\r\nT1b","lpQuestionAnswerList":[{"optionNum":"A","contentType":"是"}],"num":1}]'
marker_page invalid-json.html '[{"question":"T1","lpQuestionAnswerList":['
marker_page empty-list.html '[]'
marker_page object-list.html '{"question":"T1","lpQuestionAnswerList":[{"optionNum":"A","contentType":"是"}],"num":1}'

echo "fixture pages written"
