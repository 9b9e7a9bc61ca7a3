"""End-to-end harness: throwaway Wine machines, the UI driver, and the
expected files written independently of the programs."""
