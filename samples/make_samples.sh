#!/usr/bin/env bash
# Writes the sample exam pages and the text the box shows after loading one.
# Run from anywhere: bash samples/make_samples.sh. Needs bash, iconv and od.
# The outputs are committed; the build never runs this script.
set -euo pipefail
export LC_ALL=C
here=$(cd "$(dirname "$0")" && pwd)
cd "$here"

CRLF=$'\r\n'
type_names=("" "单选题" "多选题" "判断题")
type_scores=(0 1 2 1)
labels=(A B C D E)

# The question list and the expected box text, built from questions.txt.
json="["
expected=""
num=0
while IFS= read -r line; do
  [[ -z $line || $line == \#* ]] && continue
  IFS='|' read -r -a f <<<"$line"
  type=${f[0]} wording=${f[1]} options=("${f[@]:2}")
  if (( ${#options[@]} < 2 || ${#options[@]} > 5 )); then
    echo "question '$wording': needs 2 to 5 options" >&2; exit 1
  fi
  num=$((num + 1))
  id=$(printf 'Q2023%04d' "$num")
  answers=""
  expected+="$num、$wording$CRLF"
  for i in "${!options[@]}"; do
    [[ -n $answers ]] && answers+=","
    answers+="{\"answerId\":\"$id${labels[i]}\",\"sortNo\":$((i + 1)),\"optionNum\":\"${labels[i]}\",\"contentType\":\"${options[i]}\"}"
    expected+="    ${labels[i]}、${options[i]}"
  done
  expected+="$CRLF$CRLF"
  (( num > 1 )) && json+=","
  # Members in the site's order: "num" directly after the option list.
  json+="{\"questionId\":\"$id\",\"questionType\":\"$type\",\"typeName\":\"${type_names[type]}\","
  json+="\"score\":${type_scores[type]},\"question\":\"$wording\","
  json+="\"lpQuestionAnswerList\":[$answers],\"num\":$num}"
done <questions.txt
json+="]"

case $json in
  *"'"* | *\\* ) echo "question list holds an apostrophe or a backslash" >&2; exit 1 ;;
esac

# A saved exam page: head, styles, scripts, navigation, and one long line of
# markup with the page config (the line marker) and the hidden question list.
page() {
  local charset=$1
  local lines=(
    '<!DOCTYPE html>'
    '<html lang="zh-CN">'
    '<head>'
    "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=$charset\">"
    '<meta name="viewport" content="width=device-width, initial-scale=1.0">'
    '<title>2023年法律职业资格考试客观题模拟卷（一） - 在线练习</title>'
    '<link rel="stylesheet" type="text/css" href="./示例试卷_files/common.css">'
    '<link rel="stylesheet" type="text/css" href="./示例试卷_files/exam.css">'
    '<style type="text/css">'
    '  body { margin: 0; font-family: "Microsoft YaHei", SimSun, sans-serif; background: #f4f6f9; }'
    '  .top-nav { height: 48px; background: #1f4e8c; color: #fff; }'
    '  .top-nav a { color: #fff; margin: 0 12px; line-height: 48px; text-decoration: none; }'
    '  .exam-head { padding: 16px 24px; background: #fff; border-bottom: 1px solid #e3e7ee; }'
    '  .question-box { min-height: 360px; padding: 24px; background: #fff; }'
    '  .answer-card li { float: left; width: 32px; height: 32px; margin: 4px; border: 1px solid #ccd; }'
    '</style>'
    '<script type="text/javascript" src="./示例试卷_files/jquery.min.js"></script>'
    '<script type="text/javascript" src="./示例试卷_files/layer.js"></script>'
    '<script type="text/javascript">'
    '  var ctx = "/study";'
    '  var _hmt = _hmt || [];'
    '</script>'
    '</head>'
    '<body>'
    '<div class="top-nav">'
    '  <a href="https://www.example.cn/index.html">首页</a>'
    '  <a href="https://www.example.cn/course/list.html">课程中心</a>'
    '  <a href="https://www.example.cn/exam/list.html">模拟考试</a>'
    '  <a href="https://www.example.cn/user/center.html">个人中心</a>'
    '</div>'
    '<div class="crumbs"><a href="https://www.example.cn/index.html">首页</a> &gt; <a href="https://www.example.cn/exam/list.html">模拟考试</a> &gt; <span>客观题模拟卷（一）</span></div>'
    "<div class=\"wrap\"><div class=\"exam-head\"><h2 class=\"paper-name\">2023年法律职业资格考试客观题模拟卷（一）</h2><span class=\"exam-time\">考试时长：180分钟</span><span class=\"total\">共${num}题</span></div><script type=\"text/javascript\">var examConfig = {\"paperId\":\"P20230615001\",\"depTypeCode\":\"root_xuefks_xy_wsjs\",\"examMode\":\"practice\",\"showAnalysis\":false,\"limitTime\":10800};</script><input type=\"hidden\" id=\"paperId\" value=\"P20230615001\"/><input type='hidden' value = '$json' id='questoinList'/><input type=\"hidden\" id=\"userId\" value=\"u1024\"/><div id=\"questionBox\" class=\"question-box\"></div><div class=\"answer-card\"><ul id=\"cardList\"></ul></div><div class=\"btn-bar\"><a href=\"javascript:void(0);\" class=\"btn prev\">上一题</a><a href=\"javascript:void(0);\" class=\"btn next\">下一题</a><a href=\"javascript:void(0);\" class=\"btn submit\">交卷</a></div></div>"
    '<div class="footer">版权所有　示例法考学习网　京ICP备00000000号</div>'
    '<script type="text/javascript">'
    '  $(function () {'
    '    var list = JSON.parse($("#questoinList").val());'
    '    renderCard(list, examConfig.depTypeCode);'
    '  });'
    '</script>'
    '</body>'
    '</html>'
  )
  printf '%s\r\n' "${lines[@]}"
}

utf8=示例试卷-utf8.html
gbk=示例试卷-gbk.html
bom=示例试卷-utf8-bom.html
utf16=示例试卷-utf16.html

page utf-8 >"$utf8"
page gbk | iconv -f UTF-8 -t GBK >"$gbk"
{ printf '\xEF\xBB\xBF'; cat "$utf8"; } >"$bom"
{ printf '\xFF\xFE'; iconv -f UTF-8 -t UTF-16LE "$utf8"; } >"$utf16"
printf '%s' "$expected" >expected-output.txt

# Checks: the GBK page converts back unchanged, the marker stands on exactly
# one line, no page text ends early, and the byte test that tells UTF-8 from
# GBK (the first byte of 80 hex or more outside a well-formed pair decides)
# answers as intended for both pages.
cmp -s <(iconv -f GBK -t UTF-8 "$gbk") <(page gbk) || { echo "GBK round trip differs" >&2; exit 1; }
[[ $(grep -ci '"depTypeCode":"root_xuefks_xy_wsjs"' "$utf8") == 1 ]] || { echo "marker not on exactly one line" >&2; exit 1; }
for f in "$utf8" "$gbk"; do
  if od -An -v -tx1 "$f" | grep -qE '(^| )(00|1a)( |$)'; then echo "$f holds a NUL or 1A byte" >&2; exit 1; fi
done
looks_utf8() {
  od -An -v -tu1 "$1" | awk '
    { for (i = 1; i <= NF; i++) b[n++] = $i }
    END {
      for (i = 0; i < n; i++) {
        c = b[i]
        if (c < 128) continue
        if (c >= 192 && c <= 223) { if (i + 1 < n && b[i+1] >= 128 && b[i+1] <= 191) { i++; continue } exit 1 }
        k = (c >= 224 && c <= 239) ? 2 : (c >= 240 && c <= 247) ? 3 : 0
        if (k == 0 || i + k >= n) exit 1
        for (j = 1; j <= k; j++) if (b[i+j] < 128 || b[i+j] > 191) exit 1
        exit 0
      }
      exit 1
    }'
}
looks_utf8 "$utf8" || { echo "$utf8 would not be taken for UTF-8" >&2; exit 1; }
! looks_utf8 "$gbk" || { echo "$gbk would be taken for UTF-8" >&2; exit 1; }
echo "wrote $num questions: $utf8 $gbk $bom $utf16 expected-output.txt"
