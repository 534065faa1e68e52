package korvane.str.diskarray.cli;

import java.io.PrintStream;
import java.util.LinkedHashMap;
import java.util.List;
import java.util.Map;
import java.util.Set;
import korvane.str.diskarray.DiskArrayException;
import korvane.str.diskarray.DiskArrayUtilityJNI;
import korvane.str.diskarray.KXUserRegist;
import korvane.str.diskarray.cli.DiskArrayTool.Step;
import korvane.str.diskarray.cli.DiskArrayTool.ToolFailure;

/** Accounts of a unit, login sessions per controller, and the station password. */
final class UserCommands {
  static final Set<String> COMMANDS = Set.of("user", "login", "logout", "whoami", "passwd");

  // User names and passwords are at most 16 bytes; the bridge would cut longer ones.
  private static final int CREDENTIAL_BYTES = 16;
  private static final Set<String> CONTROLLER_ONLY = Set.of(Arguments.CONTROLLER);

  private final PrintStream out;

  UserCommands(PrintStream out) {
    this.out = out;
  }

  Step prepare(Arguments arguments) throws UsageException {
    switch (arguments.command) {
      case "user":
        return user(arguments.subcommand("list, add, change, delete, delete-all, reset"));
      case "login": {
        List<String> words = arguments.expectOperandCount(2, 3, "UNIT USER [PASSWORD]");
        arguments.allowOnly(CONTROLLER_ONLY);
        String unit = DiskArrayTool.unitName(words.get(0));
        int ctl = controller(arguments);
        KXUserRegist account = account(arguments, words.get(1), words, 2);
        return new Step("log in to '" + unit + "'", () -> {
          String[] session = DiskArrayUtilityJNI.KX_LoginKXUnit(unit, ctl, account);
          if (session == null) {
            throw new ToolFailure("the station reported no session after the login");
          }
          out.println("logged in as " + session[0] + " on controller " + ctl
              + " at " + loginTime(session[1]));
        });
      }
      case "logout": {
        String unit = DiskArrayTool.unitName(arguments.expectOperands("UNIT").get(0));
        arguments.allowOnly(CONTROLLER_ONLY);
        int ctl = controller(arguments);
        return new Step("log out of '" + unit + "'", () -> {
          DiskArrayUtilityJNI.KX_LogoutKXUnit(unit, ctl);
          out.println("logged out of " + unit + " on controller " + ctl);
        });
      }
      case "whoami": {
        String unit = DiskArrayTool.unitName(arguments.expectOperands("UNIT").get(0));
        arguments.allowOnly(CONTROLLER_ONLY);
        int ctl = controller(arguments);
        return new Step("check the login of '" + unit + "'", () -> {
          if (arguments.has(Arguments.JSON)) {
            out.print(Json.write(sessionRecord(unit, ctl)));
          } else if (arguments.has(Arguments.TSV)) {
            Map<String, Object> session = sessionRecord(unit, ctl);
            out.println(ctl + (session.get("user") == null ? ""
                : "\t" + session.get("user") + "\t" + session.get("since")));
          } else {
            out.println("controller " + ctl + ": " + session(unit, ctl));
          }
        });
      }
      case "passwd":
        return password(arguments.subcommand("check, change"));
      default:
        throw new UsageException("unknown command '" + arguments.command + "'");
    }
  }

  private Step user(Arguments arguments) throws UsageException {
    switch (arguments.command) {
      case "user list": {
        String unit = DiskArrayTool.unitName(arguments.expectOperands("UNIT").get(0));
        arguments.allowOnly(Set.of());
        return new Step("list the accounts of '" + unit + "'", () -> {
          KXUserRegist info = DiskArrayUtilityJNI.KX_GetUserInformation(unit, 0);
          if (arguments.has(Arguments.JSON)) {
            Map<String, Object> answer = new LinkedHashMap<>();
            answer.put("accounts", info.num);
            answer.put("sessions", List.of(sessionRecord(unit, 0), sessionRecord(unit, 1)));
            out.print(Json.write(answer));
            return;
          }
          if (arguments.has(Arguments.TSV)) {
            for (int ctl = 0; ctl < 2; ctl++) {
              Map<String, Object> session = sessionRecord(unit, ctl);
              out.println(ctl + "\t" + info.num + "\t" + (session.get("user") == null ? ""
                  : session.get("user") + "\t" + session.get("since")));
            }
            return;
          }
          out.println("accounts: " + info.num);
          for (int ctl = 0; ctl < 2; ctl++) {
            out.println("controller " + ctl + ": " + session(unit, ctl));
          }
        });
      }
      case "user add": {
        List<String> words = arguments.expectOperandCount(2, 3, "UNIT USER [PASSWORD]");
        arguments.allowOnly(CONTROLLER_ONLY);
        String unit = DiskArrayTool.unitName(words.get(0));
        int ctl = controller(arguments);
        KXUserRegist account = account(arguments, words.get(1), words, 2);
        return new Step("add user '" + account.user + "' to '" + unit + "'", () -> {
          DiskArrayUtilityJNI.KX_RegistUser(unit, ctl, account);
          out.println("added user " + account.user + " to " + unit);
        });
      }
      case "user change": {
        // UNIT USER NEW-USER asks for both passwords; all five words give them.
        List<String> words = arguments.expectOperandCount(3, 5,
            "UNIT USER NEW-USER, or UNIT USER PASSWORD NEW-USER NEW-PASSWORD");
        if (words.size() == 4) {
          throw new UsageException("'user change' takes UNIT USER NEW-USER (passwords asked for)"
              + " or UNIT USER PASSWORD NEW-USER NEW-PASSWORD");
        }
        arguments.allowOnly(CONTROLLER_ONLY);
        String unit = DiskArrayTool.unitName(words.get(0));
        int ctl = controller(arguments);
        boolean given = words.size() == 5;
        KXUserRegist old = account(arguments, words.get(1), words, given ? 2 : -1);
        String newUser = words.get(given ? 3 : 2);
        KXUserRegist changed = new KXUserRegist(credential("user name", newUser),
            credential("password", given ? words.get(4) : arguments.password(
                "new password of " + newUser, Prompts.NEW_PASSWORD_VARIABLE)));
        return new Step("change user '" + old.user + "' of '" + unit + "'", () -> {
          DiskArrayUtilityJNI.KX_ChangeUser(unit, ctl, old, changed);
          out.println("changed user " + old.user
              + (old.user.equals(changed.user) ? "" : ", now " + changed.user));
        });
      }
      case "user delete": {
        List<String> words = arguments.expectOperandCount(2, 3, "UNIT USER [PASSWORD]");
        arguments.allowOnly(CONTROLLER_ONLY);
        String unit = DiskArrayTool.unitName(words.get(0));
        int ctl = controller(arguments);
        KXUserRegist account = account(arguments, words.get(1), words, 2);
        return new Step("delete user '" + account.user + "' of '" + unit + "'", () -> {
          DiskArrayUtilityJNI.KX_DeleteUser(unit, ctl, account);
          out.println("deleted user " + account.user + " of " + unit);
        });
      }
      case "user delete-all": {
        String unit = DiskArrayTool.unitName(arguments.expectOperands("UNIT").get(0));
        arguments.allowOnly(CONTROLLER_ONLY);
        int ctl = controller(arguments);
        return new Step("delete the accounts of '" + unit + "'", () -> {
          arguments.confirm("Delete every account of '" + unit + "'?");
          DiskArrayUtilityJNI.KX_DeleteAllUser(unit, ctl);
          out.println("deleted every account of " + unit);
        });
      }
      case "user reset": {
        String unit = DiskArrayTool.unitName(arguments.expectOperands("UNIT").get(0));
        arguments.allowOnly(CONTROLLER_ONLY);
        int ctl = controller(arguments);
        return new Step("reset the login of '" + unit + "'", () -> {
          // Read first, so the message says whose session ended, if any did.
          Map<String, Object> before = sessionRecord(unit, ctl);
          DiskArrayUtilityJNI.KX_ResetLogin(unit, ctl);
          out.println(before.get("user") == null
              ? "controller " + ctl + " of " + unit + " had no session; nothing to end"
              : "ended the session of " + before.get("user") + " on controller " + ctl + " of "
                  + unit);
        });
      }
      default:
        throw new UsageException("unknown command '" + arguments.command + "'");
    }
  }

  private Step password(Arguments arguments) throws UsageException {
    arguments.allowOnly(Set.of());
    switch (arguments.command) {
      case "passwd check": {
        List<String> words = arguments.expectOperandCount(0, 1, "[PASSWORD]");
        String text = credential("password", words.isEmpty()
            ? arguments.password( "station password", Prompts.PASSWORD_VARIABLE)
            : words.get(0));
        return new Step("check the station password", () -> {
          if (DiskArrayUtilityJNI.KX_PasswdCheck(text) != 0) {
            throw new ToolFailure("that is not the station password");
          }
          out.println("that is the station password");
        });
      }
      case "passwd change": {
        // Just NEW while no password is set, OLD NEW afterwards.
        List<String> words = arguments.expectOperandCount(0, 2, "[[OLD] NEW]");
        if (words.isEmpty()) {
          // Asked for: the current one (empty while none is set), then the new one.
          String old = arguments.password(
              "current station password (empty if none is set)", Prompts.PASSWORD_VARIABLE);
          String fresh = arguments.password( "new station password",
              Prompts.NEW_PASSWORD_VARIABLE);
          words = old.isEmpty() ? List.of(fresh) : List.of(old, fresh);
        }
        StringBuilder text = new StringBuilder();
        for (String word : words) {
          if (text.length() > 0) text.append(' ');
          text.append(credential("password", word));
        }
        String request = text.toString();
        return new Step("change the station password", () -> {
          DiskArrayUtilityJNI.KX_PasswdChange(request);
          out.println("station password changed");
        });
      }
      default:
        throw new UsageException("unknown command '" + arguments.command + "'");
    }
  }

  /** "USER since TIME", or "no session": what KX_CheckLogin and KX_GetLoginUser say. */
  static String session(String unit, int ctl) throws DiskArrayException {
    if (DiskArrayUtilityJNI.KX_CheckLogin(unit, ctl) == 0) {
      return "no session";
    }
    String[] login = DiskArrayUtilityJNI.KX_GetLoginUser(unit, ctl);
    if (login == null) {
      // The session ended between the two calls.
      return "no session";
    }
    return login[0] + " since " + loginTime(login[1]);
  }

  /** The session of a controller for scripts: controller, user and since (null without one). */
  static Map<String, Object> sessionRecord(String unit, int ctl) throws DiskArrayException {
    Map<String, Object> record = new LinkedHashMap<>();
    record.put("controller", ctl);
    String[] login = DiskArrayUtilityJNI.KX_CheckLogin(unit, ctl) == 0 ? null
        : DiskArrayUtilityJNI.KX_GetLoginUser(unit, ctl);
    record.put("user", login == null ? null : login[0]);
    record.put("since", login == null ? null : loginTime(login[1]));
    return record;
  }

  static int controller(Arguments arguments) throws UsageException {
    return arguments.intOption(Arguments.CONTROLLER, 0, 0, 1);
  }

  /** The account of USER; its password is words[index], or asked for when index is past them. */
  private static KXUserRegist account(Arguments arguments, String user, List<String> words,
      int index) throws UsageException {
    String name = credential("user name", user);
    String password = index >= 0 && index < words.size() ? words.get(index)
        : arguments.password( "password of " + name,
            Prompts.PASSWORD_VARIABLE);
    return new KXUserRegist(name, credential("password", password));
  }

  private static String credential(String what, String text) throws UsageException {
    if (text.isEmpty()) {
      throw new UsageException(what + " must not be empty");
    }
    return DiskArrayTool.limited(what, text, CREDENTIAL_BYTES);
  }

  /** YYYYMMDDhhmmss as "YYYY-MM-DD hh:mm:ss"; any other text unchanged. */
  static String loginTime(String digits) {
    if (digits == null || !digits.matches("\\d{14}")) {
      return String.valueOf(digits);
    }
    return digits.substring(0, 4) + "-" + digits.substring(4, 6) + "-" + digits.substring(6, 8)
        + " " + digits.substring(8, 10) + ":" + digits.substring(10, 12) + ":"
        + digits.substring(12, 14);
  }
}
