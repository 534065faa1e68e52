package korvane.str.diskarray.cli;

/** A command line the tool cannot act on; reported with exit status 2. */
final class UsageException extends Exception {
  private static final long serialVersionUID = 1L;

  UsageException(String message) {
    super(message);
  }
}
