package korvane.str.diskarray;

/**
 * The LUs registered for formatting by {@code KX_EntryFormatList}: one byte
 * per entry of the 512-entry LU table. The bridge reads the {@code byte[]}
 * field {@code lu} by name from whatever object it is given and refuses an
 * array shorter than 512; this class is the application's carrier for it.
 */
public class FormatEntryList {
  public static final int ENTRIES = 512;

  public byte[] lu = new byte[ENTRIES];

  public FormatEntryList() {}
}
