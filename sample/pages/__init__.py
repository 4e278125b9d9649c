"""The animated pages of the basics window, written as SWF movies."""
