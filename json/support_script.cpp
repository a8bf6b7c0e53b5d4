#include "json/support_script.h"

namespace json {

namespace {

// One line of ASCII; every statement ends in a semicolon so the pieces can be
// joined without line breaks.
constexpr const char* kPieces[] = {
    // The number of elements of an array, 0 for anything else.
    R"js(function get__count(c){if(Object.prototype.toString.call(c)==='[object Array]'){return c.length;}return 0;})js",

    // The names of an object's enumerable members that are not functions,
    // joined by CR LF; the empty string for anything but an ordinary object.
    R"js(function get__name_All(a){if(Object.prototype.toString.call(a)!=='[object Object]'){return '';})js"
    R"js(var names=[];for(var k in a){if(typeof a[k]!=='function'){names.push(k);}}return names.join('\r\n');})js",

    // Merges source into target: an array gets the source's elements
    // appended; an object member that is an object on both sides is merged in
    // turn, any other member is overwritten (numbers and null included, so
    // that no source value is lost); function members are left alone.
    R"js(function get__extend(target,source){)js"
    R"js(if(Object.prototype.toString.call(target)==='[object Array]'){)js"
    R"js(for(var i=0;i<source.length;i++){target.push(source[i]);}return target;})js"
    R"js(for(var key in source){var t=target[key],s=source[key];if(typeof t==='function'){continue;})js"
    R"js(if(t!==null&&typeof t==='object'&&s!==null&&typeof s==='object'){target[key]=get__extend(t,s);})js"
    R"js(else{target[key]=s;}}return target;})js",

    // The JSON supplement, for engines without (parts of) JSON.
    R"js(if(typeof JSON!=='object'||JSON===null){JSON={};})js",
    R"js((function(){'use strict';)js",
    R"js(function two(n){return n<10?'0'+n:String(n);})js",
    R"js(function hex4(ch){return '\\u'+('0000'+ch.charCodeAt(0).toString(16)).slice(-4);})js",
    R"js(if(typeof Date.prototype.toJSON!=='function'){)js"
    R"js(Date.prototype.toJSON=function(){if(!isFinite(this.valueOf())){return null;})js"
    R"js(return this.getUTCFullYear()+'-'+two(this.getUTCMonth()+1)+'-'+two(this.getUTCDate())+'T'+)js"
    R"js(two(this.getUTCHours())+':'+two(this.getUTCMinutes())+':'+two(this.getUTCSeconds())+'Z';};)js"
    R"js(var primitive=function(){return this.valueOf();};)js"
    R"js(String.prototype.toJSON=primitive;Number.prototype.toJSON=primitive;Boolean.prototype.toJSON=primitive;})js",

    // stringify: the ECMAScript 5 algorithm.
    R"js(if(typeof JSON.stringify!=='function'){)js"
    R"js(var needsEscape=/[\\"\u0000-\u001f\u007f-\u009f\u00ad\u0600-\u0604\u070f\u17b4\u17b5\u200c-\u200f\u2028-\u202f\u2060-\u206f\ufeff\ufff0-\uffff]/g;)js"
    R"js(var shortEscapes={'\b':'\\b','\t':'\\t','\n':'\\n','\f':'\\f','\r':'\\r','"':'\\"','\\':'\\\\'};)js"
    R"js(var quote=function(s){needsEscape.lastIndex=0;return '"'+s.replace(needsEscape,function(ch){)js"
    R"js(var e=shortEscapes[ch];return typeof e==='string'?e:hex4(ch);})+'"';};)js"
    R"js(JSON.stringify=function(value,replacer,space){)js"
    R"js(var indent='',gap='',open=[];)js"
    R"js(if(typeof space==='number'){for(var n=0;n<Math.min(10,space);n++){indent+=' ';}})js"
    R"js(else if(typeof space==='string'){indent=space.slice(0,10);})js"
    R"js(if(replacer&&typeof replacer!=='function'&&(typeof replacer!=='object'||typeof replacer.length!=='number')){)js"
    R"js(throw new Error('JSON.stringify');})js"
    R"js(var member=function(holder,key){var v=holder[key];)js"
    R"js(if(v!==null&&typeof v==='object'&&typeof v.toJSON==='function'){v=v.toJSON(key);})js"
    R"js(if(typeof replacer==='function'){v=replacer.call(holder,key,v);})js"
    R"js(if(v!==null&&typeof v==='object'){var cls=Object.prototype.toString.call(v);)js"
    R"js(if(cls==='[object Number]'){v=Number(v);}else if(cls==='[object String]'){v=String(v);})js"
    R"js(else if(cls==='[object Boolean]'){v=v.valueOf();}})js"
    R"js(switch(typeof v){)js"
    R"js(case 'string':return quote(v);)js"
    R"js(case 'number':return isFinite(v)?String(v):'null';)js"
    R"js(case 'boolean':return String(v);)js"
    R"js(case 'object':if(v===null){return 'null';}break;)js"
    R"js(default:return undefined;})js"
    R"js(for(var d=0;d<open.length;d++){if(open[d]===v){throw new TypeError('JSON.stringify');}})js"
    R"js(open.push(v);var outer=gap,parts=[],i,s;gap+=indent;)js"
    R"js(if(Object.prototype.toString.call(v)==='[object Array]'){)js"
    R"js(for(i=0;i<v.length;i++){s=member(v,i);parts.push(s===undefined?'null':s);})js"
    R"js(s=parts.length===0?'[]':gap?'[\n'+gap+parts.join(',\n'+gap)+'\n'+outer+']':'['+parts.join(',')+']';)js"
    R"js(gap=outer;open.pop();return s;})js"
    R"js(var keys=[],k;)js"
    R"js(if(replacer&&typeof replacer==='object'){for(i=0;i<replacer.length;i++){)js"
    R"js(if(typeof replacer[i]==='string'||typeof replacer[i]==='number'){keys.push(String(replacer[i]));}}})js"
    R"js(else{for(k in v){if(Object.prototype.hasOwnProperty.call(v,k)){keys.push(k);}}})js"
    R"js(for(i=0;i<keys.length;i++){s=member(v,keys[i]);if(s!==undefined){parts.push(quote(keys[i])+(gap?': ':':')+s);}})js"
    R"js(s=parts.length===0?'{}':gap?'{\n'+gap+parts.join(',\n'+gap)+'\n'+outer+'}':'{'+parts.join(',')+'}';)js"
    R"js(gap=outer;open.pop();return s;};)js"
    R"js(return member({'':value},'');};})js",

    // parse: checks that the text is JSON before evaluating it.
    R"js(if(typeof JSON.parse!=='function'){)js"
    R"js(var unsafe=/[\u0000\u00ad\u0600-\u0604\u070f\u17b4\u17b5\u200c-\u200f\u2028-\u202f\u2060-\u206f\ufeff\ufff0-\uffff]/g;)js"
    R"js(var revive=function(holder,key,reviver){var v=holder[key],k,r;)js"
    R"js(if(v!==null&&typeof v==='object'){for(k in v){if(Object.prototype.hasOwnProperty.call(v,k)){)js"
    R"js(r=revive(v,k,reviver);if(r===undefined){delete v[k];}else{v[k]=r;}}}})js"
    R"js(return reviver.call(holder,key,v);};)js"
    R"js(JSON.parse=function(text,reviver){text=String(text);unsafe.lastIndex=0;text=text.replace(unsafe,hex4);)js"
    R"js(var rest=text.replace(/\\(?:["\\\/bfnrt]|u[0-9a-fA-F]{4})/g,'@'))js"
    R"js(.replace(/"[^"\\\n\r]*"|true|false|null|-?\d+(?:\.\d*)?(?:[eE][+\-]?\d+)?/g,']'))js"
    R"js(.replace(/(?:^|:|,)(?:\s*\[)+/g,'');)js"
    R"js(if(/^[\],:{}\s]*$/.test(rest)){var j=eval('('+text+')');)js"
    R"js(return typeof reviver==='function'?revive({'':j},'',reviver):j;})js"
    R"js(throw new SyntaxError('JSON.parse');};})js",

    // Every object gets these two, enumerable, inherited from Object.prototype.
    R"js(if(typeof Object.prototype.toJSONString!=='function'){)js"
    R"js(Object.prototype.toJSONString=function(filter){return JSON.stringify(this,filter);};)js"
    R"js(Object.prototype.parseJSON=function(filter){return JSON.parse(this,filter);};})js",
    R"js(}());)js",
};

Text Join() {
  Text script;
  for (const char* piece : kPieces) script += piece;
  return script;
}

}  // namespace

const Text& SupportScript() {
  static const Text script = Join();
  return script;
}

}  // namespace json
