package korvane.str.diskarray.cli;

import java.util.ArrayList;
import java.util.LinkedHashMap;
import java.util.List;
import java.util.Map;
import java.util.TreeSet;

/**
 * The part of the bash completion that picocli cannot know: the names on the
 * station. After picocli's completion of commands and options, an operand
 * that is a unit, a RAID group or an LU (and the values of --rg and --hg) is
 * completed from what 'diskarray list', 'rg list', 'lu list' and 'hostgroup
 * list' print with --tsv, on the station the command line names.
 */
final class NameCompletion {
  private NameCompletion() {}

  /** The kind of name an operand label of a command stands for, or null. */
  private static String kind(String command, String label) {
    switch (label.replace("...", "")) {
      case "UNIT":
        return "unit";
      case "NAME":
        // A registered unit, except the new one 'add' registers.
        return command.equals("add") ? null : "unit";
      case "RG":
        return "rg";
      case "LU":
      case "PARENT":
      case "CHILD":
      case "PRIMARY":
      case "SECONDARY":
        return "lu";
      default:
        return null;
    }
  }

  /** Each command path whose operands name a unit, with the kinds of its operands. */
  private static Map<String, String> operandKinds() {
    Map<String, String> kinds = new LinkedHashMap<>();
    for (String line : CommandTree.SYNTAX) {
      if (line.startsWith("# ")) {
        continue;
      }
      List<String> path = new ArrayList<>();
      List<String> operands = new ArrayList<>();
      boolean inWords = true;
      for (String token : line.substring(0, line.indexOf(" :: ")).split(" ")) {
        if (inWords && token.matches("[a-z][a-z0-9-]*")) {
          path.add(token);
          continue;
        }
        inWords = false;
        if (!token.startsWith("[--") && !token.startsWith("--")) {
          String kind = kind(String.join(" ", path), token.replace("[", "").replace("]", ""));
          // A variadic operand is marked with a +, so it completes every word after it.
          operands.add((kind == null ? "-" : kind) + (token.contains("...") ? "+" : ""));
        }
      }
      if (!operands.isEmpty() && operands.get(0).equals("unit")) {
        kinds.put(String.join(" ", path), String.join(" ", operands));
      }
    }
    return kinds;
  }

  /** Options that take a value, so their value is not an operand. */
  private static String valueOptions() {
    TreeSet<String> options = new TreeSet<>();
    options.add("--station");
    for (String line : CommandTree.SYNTAX) {
      java.util.regex.Matcher option =
          java.util.regex.Pattern.compile("--([a-z0-9-]+)=").matcher(line);
      while (option.find()) {
        options.add("--" + option.group(1));
      }
    }
    return String.join("|", options);
  }

  /** The bash functions, appended to picocli's script; they take over its registration. */
  static String bash() {
    StringBuilder script = new StringBuilder();
    script.append("\n# Unit, RAID group and LU names from the station.\n");
    script.append("_diskarray_operand_kinds() {\n  case \"$1\" in\n");
    for (Map.Entry<String, String> entry : operandKinds().entrySet()) {
      script.append("    \"").append(entry.getKey()).append("\") echo \"")
          .append(entry.getValue()).append("\" ;;\n");
    }
    script.append("  esac\n}\n\n");
    script.append(String.join("\n",
        "_diskarray_names() {",
        "  local kind=$1 unit=$2",
        "  shift 2",
        "  case $kind in",
        "    unit) command diskarray \"$@\" list --tsv 2>/dev/null | cut -f1 ;;",
        "    rg) command diskarray \"$@\" rg list \"$unit\" --tsv 2>/dev/null | cut -f1 ;;",
        "    lu) command diskarray \"$@\" lu list \"$unit\" --tsv 2>/dev/null | cut -f1 ;;",
        "    hg) command diskarray \"$@\" hostgroup list \"$unit\" --tsv 2>/dev/null"
            + " | cut -f2 | sort -nu ;;",
        "  esac",
        "}",
        "",
        "_diskarray_complete_names() {",
        "  _complete_diskarray \"$@\"",
        "  local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]}",
        "  local station=() plain=() i word",
        "  [[ $cur == -* ]] && return 0",
        "  # The value of an option other than --rg and --hg is picocli's to complete.",
        "  case $prev in",
        "    --rg|--hg) ;;",
        "    " + valueOptions() + ") return 0 ;;",
        "  esac",
        "  for ((i = 1; i < COMP_CWORD; i++)); do",
        "    word=${COMP_WORDS[i]}",
        "    case $word in",
        "      --station) station=(--station \"${COMP_WORDS[i+1]}\"); ((i++)) ;;",
        "      --station=*) station=(\"$word\") ;;",
        "      " + valueOptions() + ") ((i++)) ;;",
        "      -*) ;;",
        "      *) plain+=(\"$word\") ;;",
        "    esac",
        "  done",
        "  local k kinds kind index unit",
        "  for ((k = 3; k >= 1; k--)); do",
        "    ((k > ${#plain[@]})) && continue",
        "    kinds=$(_diskarray_operand_kinds \"${plain[*]:0:k}\")",
        "    [[ -n $kinds ]] && break",
        "  done",
        "  [[ -z $kinds ]] && return 0",
        "  read -r -a kinds <<< \"$kinds\"",
        "  index=$((${#plain[@]} - k))",
        "  unit=${plain[k]}",
        "  if [[ $prev == --rg || $prev == --hg ]]; then",
        "    kind=${prev#--}",
        "  elif ((index < ${#kinds[@]})); then",
        "    kind=${kinds[index]}",
        "  elif [[ ${kinds[-1]} == *+ ]]; then",
        "    kind=${kinds[-1]}",
        "  else",
        "    return 0",
        "  fi",
        "  kind=${kind%+}",
        "  [[ $kind == - ]] && return 0",
        "  mapfile -t COMPREPLY < <(compgen -W \"$(_diskarray_names \"$kind\" \"$unit\""
            + " \"${station[@]}\")\" -- \"$cur\")",
        "}",
        "complete -F _diskarray_complete_names -o default diskarray",
        ""));
    return script.toString();
  }
}
