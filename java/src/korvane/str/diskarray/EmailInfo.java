package korvane.str.diskarray;

/**
 * The station's e-mail settings. {@code to} holds {@code tonum} recipients in
 * its first elements; the elements after the last recipient are null. The
 * station keeps at most 20 recipients.
 */
public class EmailInfo {
  /** 1 to send mail on alerts, 0 not to. */
  public int on_off;
  /** Mail domain of the station, sent as its name when it greets the server. */
  public String domain = "";
  /** SMTP server: host or host:port (port 25 when none is given). */
  public String smtp = "";
  /** Sender address. */
  public String from = "";
  /** Number of recipients in {@code to}. */
  public int tonum;
  /** Recipient addresses. */
  public String[] to = new String[100];

  public EmailInfo() {}
}
